#include <gtest/gtest.h>

#include <algorithm>

#include "hosts/sim_host.h"
#include "program/startup.h"
#include "rounds/rounds.h"
#include "support/log_lines.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

TEST(DirectGame, ReadsLevelWaveAndDifficulty) {
  const struct {
    const char* text;
    bool valid;
    DirectGame game;
  } cases[] = {
      {"1:1:1", true, {1, 1, 1}}, {"8:5:4", true, {8, 5, 4}}, {"3:2:2", true, {3, 2, 2}},
      {"0:1:1", false, {}},       {"9:1:1", false, {}},       {"1:6:1", false, {}},
      {"1:1:5", false, {}},       {"1:1:0", false, {}},       {"1:1", false, {}},
      {"1:1:1:1", false, {}},     {"::", false, {}},          {"a:1:1", false, {}},
      {"1:-1:1", false, {}},      {"", false, {}},            {"99999999999:1:1", false, {}},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseDirectGame(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->level, c.game.level) << c.text;
    EXPECT_EQ(parsed->wave, c.game.wave) << c.text;
    EXPECT_EQ(parsed->difficulty, c.game.difficulty) << c.text;
  }
}

// Straight after the title the wave is announced; Escape ends the game and
// the main menu opens, as after any game; its Escape ends the program.
TEST(DirectGame, SkipsTheMenusAndReturnsToTheMainMenu) {
  SimOptions options;
  options.directGame = DirectGame{3, 2, 4};
  options.script = {test::Down(6000, dik::ESCAPE), test::Up(6100, dik::ESCAPE), test::Down(9000, dik::ESCAPE),
                    test::Up(9100, dik::ESCAPE)};
  options.untilMs = 60000;
  const SimResult result = RunSimulation(options);
  EXPECT_FALSE(result.reachedUntil);
  EXPECT_EQ(result.exitCode, 0);
  const Strings played = test::Events(result.lines, {"play", "exit"});
  ASSERT_GE(played.size(), 8u);
  EXPECT_EQ(Strings(played.begin(), played.begin() + 7),
            (Strings{"play sounds/sb.wav", "play sounds/d_level.wav", "play sounds/d_3.wav", "play sounds/d_wave.wav",
                     "play sounds/d_2.wav", "play sounds/music/music3.wav", "play sounds/nitelife.wav"}));
  EXPECT_EQ(Strings(played.end() - 5, played.end()),
            (Strings{"play system/menu/crickets.wav", "play sounds/music/music5.wav", "play system/menu/select.wav",
                     "play system/menu/exiting.wav", "exit code=0"}));
}

TEST(DirectGame, ReadsARoundAndItsDifficulty) {
  const struct {
    const char* text;
    bool valid;
    SpecialRound round;
    uint8_t difficulty;
  } cases[] = {
      {"sheep", true, SpecialRound::SheepDrop, 1},  {"meteor:3", true, SpecialRound::MeteorShower, 3},
      {"boss:2", true, SpecialRound::Boss, 2},      {"boss:4", true, SpecialRound::Boss, 4},
      {"boss:0", false, {}, 0},                     {"boss:5", false, {}, 0},
      {"boss:", false, {}, 0},                      {"boss:22", false, {}, 0},
      {"boss:2:1", false, {}, 0},                   {"Boss", false, {}, 0},
      {"sheepdrop", false, {}, 0},                  {"", false, {}, 0},
      {":2", false, {}, 0},                         {"1:1:1", false, {}, 0},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseDirectRound(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->round, c.round) << c.text;
    EXPECT_EQ(parsed->difficulty, c.difficulty) << c.text;
  }
}

// "file loop=N" for every recording started, in order.
Strings PlaysWithLoop(const std::vector<std::string>& lines) {
  Strings out;
  for (const auto& line : lines) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "exit") out.push_back("exit");
    if (l.op != "play") continue;
    const auto first = l.rest.find(' ');
    out.push_back(l.rest.substr(0, l.rest.find(' ', first + 1)));
  }
  return out;
}

bool Contains(const Strings& played, const Strings& part) {
  return std::search(played.begin(), played.end(), part.begin(), part.end()) != played.end();
}

// Straight after the title the round begins. Escape leaves a sheep drop or a
// meteor shower without a tally and the game goes on with level 2; in the
// boss round it ends the game.
TEST(DirectGame, StartsARoundStraightAfterTheTitle) {
  const Strings levelTwo = {"sounds/smackem.wav loop=0", "sounds/d_level.wav loop=0", "sounds/d_2.wav loop=0",
                            "sounds/d_wave.wav loop=0", "sounds/d_1.wav loop=0"};
  const struct {
    SpecialRound round;
    Strings opening;  // straight after the title
    bool gameGoesOn;
  } cases[] = {
      {SpecialRound::SheepDrop, {"sounds/cargship.wav loop=1", "sounds/nitelife.wav loop=1"}, true},
      {SpecialRound::MeteorShower, {"sounds/nitelife.wav loop=1", "sounds/metdrop.wav loop=1"}, true},
      {SpecialRound::Boss,
       {"sounds/liftoff.wav loop=0", "sounds/music/bosstart.wav loop=0", "sounds/music/bossloop.wav loop=1",
        "sounds/mothship.wav loop=1"},
       false},
  };
  for (const auto& c : cases) {
    const int name = static_cast<int>(c.round);
    SimOptions options;
    options.directGame = DirectGame{1, 1, 2, c.round};
    // Escape in the round, Space to end the break after it, Escape again in
    // level 2, and Escape in the main menu that follows the game.
    options.script = {test::Down(10000, dik::ESCAPE), test::Up(10050, dik::ESCAPE), test::Down(15000, dik::SPACE),
                      test::Up(15050, dik::SPACE),    test::Down(25000, dik::ESCAPE), test::Up(25050, dik::ESCAPE),
                      test::Down(35000, dik::ESCAPE), test::Up(35050, dik::ESCAPE)};
    options.untilMs = 60000;
    const SimResult result = RunSimulation(options);
    EXPECT_FALSE(result.reachedUntil) << name;
    EXPECT_EQ(result.exitCode, 0) << name;
    const Strings played = PlaysWithLoop(result.lines);
    ASSERT_GT(played.size(), c.opening.size()) << name;
    EXPECT_EQ(played[0], "sounds/sb.wav loop=0") << name;
    EXPECT_EQ(Strings(played.begin() + 1, played.begin() + 1 + static_cast<std::ptrdiff_t>(c.opening.size())),
              c.opening)
        << name;
    EXPECT_EQ(Contains(played, levelTwo), c.gameGoesOn) << name;
    EXPECT_FALSE(Contains(played, {"sounds/d_wavcom.wav loop=0"})) << name << ": Escape left the round untallied";
    EXPECT_EQ(played.back(), "exit") << name;
  }
}

}  // namespace
}  // namespace sb
