#include "game/saved_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "game/settings.h"
#include "game/waves.h"
#include "menus/program_run.h"
#include "platform/player_file.h"
#include "platform/score_codec.h"
#include "sound/game_sounds.h"
#include "support/filling_folder.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// The standing of a game in level 3 wave 4 with 50000 points.
void SetStanding(GameState& s) {
  s.Level = 3;
  s.Wave = 4;
  s.Score = 50000;
  s.Energy = 75;
  s.MissilesSpent = 2;
  s.Nukes = 1;
  s.Vapors = 3;
  s.RapidTime = 1600;
  s.Difficulty = 2;
  s.TurboTime = 0;
  s.Shields = 4;
  s.GameActive = true;
}

std::string Enc(double v) { return ToBase36(EncodeScore(v)); }

TEST(SavedGame, QStoresTheStandingWritesThePlayerFileAndEndsTheGame) {
  test::SimGame sim;
  LoadPlayerFiles(sim.game);
  sim.ClearLog();
  SetStanding(sim.game.state);
  SaveGame(sim.game);
  EXPECT_TRUE(sim.game.state.QuitToMenu);
  EXPECT_FALSE(sim.game.state.GameActive);
  EXPECT_EQ(sim.Log({"write", "play"}),
            (Heard{"write sbinfo.sbr", "write keymap.sbk", "play system/menu/saved.wav"}));
  const auto bytes = sim.host.Files(Folder::Player).Read(kPlayerFileName);
  ASSERT_TRUE(bytes);
  const PlayerRecord stored = DecodePlayerFile(*bytes).record;
  EXPECT_TRUE(stored.savedGame);
  const std::array<double, kSavedGameFields> values = {3, 4, 50000, 75, 2, 1, 3, 1600, 2, 0, 4};
  for (int i = 0; i < kSavedGameFields; ++i) EXPECT_EQ(stored.saved[i], Enc(values[i])) << "field " << i + 1;
  EXPECT_EQ(stored.saved[9], "0");
}

// Q on a full disk: the refusal is heard and "saved" is not, the save kept
// before stays as it was, and the game plays on for the player to decide.
TEST(SavedGame, QOnAFullDiskIsRefusedAndTheGamePlaysOn) {
  auto folder = std::make_shared<test::FillingFolder>();
  SimOptions options = test::Scripted("12000 tap Q", 16000);
  options.playerFolder = folder;
  test::SimGame sim(options);
  LoadPlayerFiles(sim.game);  // the first run's files, while the disk had room
  const std::vector<uint8_t> before = *folder->Read(kPlayerFileName);
  folder->full = true;
  sim.ClearLog();

  const bool returned = sim.Run([](Game& game) { StartGame(game, 1, 1); });
  const std::string told = sim.Reports();

  EXPECT_FALSE(returned) << "the game was still being played when the clock ran out";
  EXPECT_TRUE(sim.game.state.GameActive);
  EXPECT_FALSE(sim.game.state.QuitToMenu);
  const Heard played = sim.Played();
  EXPECT_NE(std::find(played.begin(), played.end(), "sounds/invalid.wav"), played.end());
  EXPECT_EQ(std::find(played.begin(), played.end(), "system/menu/saved.wav"), played.end());
  EXPECT_FALSE(sim.game.player.savedGame) << "no save in memory that the disk does not hold";
  EXPECT_EQ(*folder->Read(kPlayerFileName), before);
  EXPECT_NE(told.find("cannot save sbinfo.sbr in the player folder: No space left on device"), std::string::npos)
      << told;
}

// The player file of a run that saved the standing above, without nukes.
std::vector<uint8_t> SavedPlayerFile() {
  test::SimGame first;
  LoadPlayerFiles(first.game);
  SetStanding(first.game.state);
  first.game.state.Nukes = 0;
  SaveGame(first.game);
  return *first.host.Files(Folder::Player).Read(kPlayerFileName);
}

void GivePlayerFiles(test::ProgramRun& run, const std::vector<uint8_t>& playerFile) {
  FileStore& folder = run.sim.host.Files(Folder::Player);
  folder.Write(kPlayerFileName, playerFile);
  folder.Write(kKeyMapFileName, *run.sim.host.Files(Folder::Program).Read(kKeyMapFileName));
}

// Saved in one run, loaded from the main menu's load item in the next.
TEST(SavedGame, ASecondRunLoadsTheSavedWaveWithItsStanding) {
  test::ProgramRun second(test::Scripted("1500 tap DOWN\n2500 tap RETURN", 3600));
  GivePlayerFiles(second, SavedPlayerFile());
  second.sim.game.state.Vapors = 9;  // the last game's vapor gives way to the saved one
  second.Run();
  const GameState& s = second.sim.game.state;
  EXPECT_EQ(s.Level, 3);
  EXPECT_EQ(s.Wave, 4);
  EXPECT_EQ(s.Score, 50000);
  EXPECT_EQ(s.Energy, 75);
  EXPECT_EQ(s.MissilesSpent, 2);
  EXPECT_EQ(s.Vapors, 3);
  EXPECT_EQ(s.Shields, 4);
  EXPECT_EQ(s.Difficulty, 2);
  EXPECT_FALSE(s.HasNukes);
  EXPECT_TRUE(s.RapidActive);
  EXPECT_FALSE(s.TurboAvailable);
  EXPECT_FALSE(second.sim.game.player.savedGame) << "used up";
  const Heard heard = second.Heard();
  EXPECT_NE(std::find(heard.begin(), heard.end(), "system/menu/loaded.wav"), heard.end());
  const Heard stops = second.Log({"stop"});
  ASSERT_GE(stops.size(), 2u);
  EXPECT_EQ(Heard(stops.begin(), stops.begin() + 2),
            (Heard{"stop sounds/music/music5.wav", "stop system/menu/crickets.wav"}))
      << "the menu music stops for the game";
}

// The load uses the save up: back in the menu after that game, the same item beeps.
TEST(SavedGame, TheLoadItemTwiceLoadsThenBeeps) {
  test::ProgramRun run(test::Scripted("1500 tap DOWN\n2500 tap RETURN\n9000 tap ESCAPE\n12000 tap RETURN", 14000));
  GivePlayerFiles(run, SavedPlayerFile());
  run.Run();
  const Heard heard = run.Heard();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "system/menu/loaded.wav"), 1);
  ASSERT_GE(heard.size(), 5u);
  EXPECT_EQ(Heard(heard.end() - 5, heard.end()),
            (Heard{"system/menu/bleep.wav", "system/menu/loadgame.wav", "sounds/invalid.wav", "system/menu/bleep.wav",
                   "system/menu/loadgame.wav"}))
      << "back from the game the item is announced; Enter on it beeps and it is announced again";
  EXPECT_FALSE(run.exitCode);
}

// Kept as designed: a load uses the save up in memory only. The player file
// keeps it until something next writes that file, so a run that ends in the
// loaded game (the window closed, a crash) leaves the same save to load again.
TEST(SavedGame, ALoadedSaveStaysInThePlayerFileUntilItIsNextWritten) {
  test::ProgramRun first(test::Scripted("1500 tap DOWN\n2500 tap RETURN", 3600));
  GivePlayerFiles(first, SavedPlayerFile());
  first.Run();
  EXPECT_FALSE(first.sim.game.player.savedGame) << "used up in memory";
  EXPECT_TRUE(first.Log({"write"}).empty()) << "loading writes nothing";
  const auto file = first.PlayerFile(kPlayerFileName);
  ASSERT_TRUE(file);

  test::ProgramRun restarted(test::Scripted("1500 tap DOWN\n2500 tap RETURN", 3600));
  GivePlayerFiles(restarted, *file);
  restarted.Run();
  EXPECT_EQ(restarted.sim.game.state.Level, 3) << "the same save, loaded again";
  EXPECT_EQ(restarted.sim.game.state.Score, 50000);
}

struct RestoreCase {
  const char* name;
  int field;  // 0-based, in the stored order
  std::string text;
  int64_t expected;
};

int64_t FieldValue(const GameState& s, int field) {
  const std::array<int64_t, kSavedGameFields> v = {s.Level,     s.Wave,      s.Score,   s.Energy,
                                                   s.MissilesSpent, s.Nukes, s.Vapors, s.RapidTime,
                                                   s.Difficulty, s.TurboTime, s.Shields};
  return v[static_cast<size_t>(field)];
}

class RestoredField : public testing::TestWithParam<RestoreCase> {};

TEST_P(RestoredField, TakesItsValueOrZero) {
  const RestoreCase& c = GetParam();
  test::SimGame sim;
  sim.game.player.saved.fill(Enc(2));
  sim.game.player.saved[static_cast<size_t>(c.field)] = c.text;
  RestoreSavedGame(sim.game);
  EXPECT_EQ(FieldValue(sim.game.state, c.field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RestoredField,
    testing::Values(RestoreCase{"ZeroIsStoredAsTheTextZero", 2, "0", 0},
                    RestoreCase{"AScore", 2, Enc(123456), 123456},
                    RestoreCase{"AnEditedTextIsZero", 2, Enc(123456) + "1", 0},
                    RestoreCase{"NotBase36AtAll", 7, "#!?", 0},
                    RestoreCase{"AnEmptyText", 3, "", 0},
                    RestoreCase{"AByteFieldPastItsRange", 6, Enc(300), 0},
                    RestoreCase{"MoreMissilesSpentThanCarried", 4, Enc(11), 0},
                    RestoreCase{"ALevelOfZeroStartsLevelOne", 0, "0", 1},
                    RestoreCase{"ALevelPastEightStartsLevelOne", 0, Enc(9), 1},
                    RestoreCase{"AWavePastFiveStartsWaveOne", 1, Enc(6), 1},
                    RestoreCase{"AnUnreadableDifficultyIsEasy", 8, "ZZZZ", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The difficulty is saved; the Insane choice is the menu's at the time of loading.
TEST(SavedGame, InsaneComesFromTheMenuAndOnlyOnHard) {
  for (const auto& [difficulty, insaneBefore, insaneAfter] :
       std::vector<std::tuple<int, bool, bool>>{{3, true, true}, {3, false, false}, {2, true, false}}) {
    test::SimGame sim;
    sim.game.player.saved.fill("0");
    sim.game.player.saved[8] = Enc(difficulty);
    sim.game.state.InsaneMode = insaneBefore;
    RestoreSavedGame(sim.game);
    EXPECT_EQ(sim.game.state.Difficulty, difficulty);
    EXPECT_EQ(sim.game.state.InsaneMode, insaneAfter) << difficulty << insaneBefore;
  }
}

TEST(SavedGame, StocksAreUsableOnlyWhenHeld) {
  test::SimGame sim;
  sim.game.player.saved.fill("0");
  sim.game.player.saved[5] = Enc(2);     // nukes
  sim.game.player.saved[9] = Enc(4000);  // turbo time
  RestoreSavedGame(sim.game);
  EXPECT_TRUE(sim.game.state.HasNukes);
  EXPECT_TRUE(sim.game.state.TurboAvailable);
  EXPECT_FALSE(sim.game.state.RapidActive);
}

TEST(SavedGame, LoadingWithoutASaveBeepsAndStartsNothing) {
  test::SimGame sim;
  LoadGameSounds(sim.game);
  sim.ClearLog();
  sim.game.state.Level = 7;
  EXPECT_FALSE(LoadSavedGame(sim.game));
  EXPECT_EQ(sim.Played(), Heard{"sounds/invalid.wav"});
  EXPECT_EQ(sim.game.state.Level, 7);
}

}  // namespace
}  // namespace sb
