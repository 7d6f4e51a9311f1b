// A bot plays whole games from the main menu to the program's exit, with the
// real sound tree so every wait lasts as long as a player hears it.
//
// A game is a few hundred thousand virtual milliseconds: these run only with
// SB_BOT=1 (./check runs them in a release build). SB_BOT_MINUTES sets the
// virtual time a run may take, SB_BOT_LOG=DIR writes each run's event log there.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "support/bot_player.h"

namespace sb::test {
namespace {

struct BotGame {
  uint8_t difficulty;
  uint32_t seed;
  bool completes;  // the bot destroys the mothership; otherwise the chain is checked as far as it went
};

std::string Name(const testing::TestParamInfo<BotGame>& info) {
  const char* names[] = {"", "Easy", "Medium", "Hard"};
  return std::string(names[info.param.difficulty]) + "Seed" + std::to_string(info.param.seed);
}

class WholeGame : public testing::TestWithParam<BotGame> {};

TEST_P(WholeGame, PlaysFromTheMenuToTheEndAndLeavesNothingBehind) {
  const char* run = std::getenv("SB_BOT");
  if (!run || std::string(run) != "1") GTEST_SKIP() << "a whole game runs with SB_BOT=1";
  BotOptions options;
  options.difficulty = GetParam().difficulty;
  options.seed = GetParam().seed;
  options.programDir = SB_PROGRAM_DIR;
  if (const char* minutes = std::getenv("SB_BOT_MINUTES")) options.untilMs = std::atoi(minutes) * 60 * 1000;
  std::unique_ptr<std::ofstream> log;
  if (const char* dir = std::getenv("SB_BOT_LOG")) {
    log = std::make_unique<std::ofstream>(std::string(dir) + "/bot-" + Name({GetParam(), 0}) + ".log");
    options.log = log.get();
  }

  const BotReport r = PlayWholeGame(options);

  ASSERT_TRUE(r.exited) << "still running at " << r.endMs << " ms; waves heard: " << r.waves.size();
  if (GetParam().completes) {
    EXPECT_TRUE(r.completed) << "the ship was destroyed in level " << (r.waves.empty() ? 0 : r.waves.back().first);
  }
  EXPECT_NE(r.completed, r.gameOver);
  EXPECT_EQ(r.invalidBeeps, 0) << "a key was pressed with nothing to do";
  // The waves came in order, each one tallied but the one the ship was lost
  // in; a bonus round's tally too.
  ASSERT_FALSE(r.waves.empty());
  for (size_t i = 0; i < r.waves.size(); ++i) {
    EXPECT_EQ(r.waves[i], std::make_pair(static_cast<int>(i / 5 + 1), static_cast<int>(i % 5 + 1))) << i;
  }
  const bool bossReached = !r.rounds.empty() && r.rounds.back() == "boss";
  const size_t bonusRounds = r.rounds.size() - (bossReached ? 1 : 0);
  EXPECT_EQ(r.tallies, static_cast<int>(r.waves.size() - (bossReached ? 0 : 1) + bonusRounds));
  if (r.completed) {
    EXPECT_EQ(r.waves.size(), 40u);
    EXPECT_TRUE(bossReached);
  }
  // The game's score is the best, held and written to the player file.
  EXPECT_GT(r.finalScore, 0);
  EXPECT_EQ(r.bestInMemory, r.finalScore);
  EXPECT_EQ(r.bestOnDisk, r.finalScore);
  // The menu sounds as it did before the game, and holds no more buffers.
  EXPECT_EQ(r.playingAtMenuAfter, r.playingAtMenuBefore);
  EXPECT_EQ(r.liveAtMenuAfter, r.liveAtMenuBefore);
  RecordProperty("game_virtual_ms", r.gameMs);
  std::cout << "bot: " << Name({GetParam(), 0}) << " score " << r.finalScore << ", " << r.gameMs / 60000.0
            << " virtual minutes, rounds " << r.rounds.size() << ", least energy " << r.lowestEnergy << "\n";
}

INSTANTIATE_TEST_SUITE_P(EasyAndHard, WholeGame,
                         testing::Values(BotGame{1, 1, true}, BotGame{1, 2, true}, BotGame{1, 3, true},
                                         BotGame{3, 1, true}, BotGame{3, 2, true}, BotGame{3, 3, true}),
                         Name);

}  // namespace
}  // namespace sb::test
