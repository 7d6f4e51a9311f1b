#include <gtest/gtest.h>

#include <algorithm>

#include "game/scoring.h"
#include "game/settings.h"
#include "menus/menus.h"
#include "menus/program_run.h"
#include "platform/player_file.h"
#include "sound/speech.h"

namespace sb {
namespace {

using test::ProgramRun;
using test::Scripted;
using Heard = std::vector<std::string>;

// The title and the opening prompt end at 1000 ms: from then on the menu listens.
const Heard kOpening = {"sounds/sb.wav", "system/menu/select.wav"};

Heard Opening(std::initializer_list<std::string> then) {
  Heard out = kOpening;
  out.insert(out.end(), then);
  return out;
}

// A player folder holding this record and the shipped key map.
FileStore& StorePlayerFile(ProgramRun& run, const PlayerRecord& record) {
  FileStore& folder = run.sim.host.Files(Folder::Player);
  folder.Write(kPlayerFileName, EncodePlayerFile(record));
  folder.Write(kKeyMapFileName, *run.sim.host.Files(Folder::Program).Read(kKeyMapFileName));
  return folder;
}

// The player of this run plays with a controller, as the player file says.
void ChooseJoystickControl(ProgramRun& run) {
  PlayerRecord record;
  record.controllerMode = 1;
  StorePlayerFile(run, record);
}

struct MenuWalk {
  const char* name;
  const char* script;
  Heard heard;
};

class MainMenuWalk : public testing::TestWithParam<MenuWalk> {};

TEST_P(MainMenuWalk, AnnouncesEachItemReached) {
  ProgramRun run(Scripted(GetParam().script, 8000));
  EXPECT_EQ(run.Run().Heard(), GetParam().heard);
  EXPECT_FALSE(run.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, MainMenuWalk,
    testing::Values(
        MenuWalk{"DownAnnouncesTheNextItem", "1500 tap DOWN",
                 Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav"})},
        MenuWalk{"UpFromTheFirstItemWrapsToExit", "1500 tap UP",
                 Opening({"system/menu/bleep.wav", "system/menu/exit.wav"})},
        MenuWalk{"DownFromTheLastItemWrapsToNewGame", "1500 tap UP\n2500 tap DOWN",
                 Opening({"system/menu/bleep.wav", "system/menu/exit.wav", "system/menu/bleep.wav",
                          "system/menu/newgame.wav"})},
        MenuWalk{"AHeldDownMovesOneItem", "1500 down DOWN\n5000 up DOWN",
                 Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav"})},
        MenuWalk{"AKeyCutsAnAnnouncementShortAndActsNext", "1500 tap DOWN\n1700 tap DOWN",
                 Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav", "system/menu/bleep.wav",
                          "system/menu/startlvl.wav"})},
        MenuWalk{"EscapeInASubmenuReturnsToTheMainMenu",
                 "1500 tap UP\n2000 tap UP\n2500 tap UP\n3000 tap UP\n3500 tap UP\n4000 tap UP\n"
                 "4500 tap RETURN\n5500 tap ESCAPE",
                 Opening({"system/menu/bleep.wav", "system/menu/exit.wav", "system/menu/bleep.wav",
                          "system/menu/playintr.wav", "system/menu/bleep.wav", "system/menu/testspkr.wav",
                          "system/menu/bleep.wav", "system/menu/credits.wav", "system/menu/bleep.wav",
                          "system/menu/options.wav", "system/menu/bleep.wav", "system/menu/sounds.wav",
                          "system/menu/desc/select.wav", "system/menu/desc/s1.wav", "system/menu/bleep.wav",
                          "system/menu/sounds.wav"})},
        MenuWalk{"AnEscapeStillHeldAfterASubmenuDoesNotEndTheProgram",
                 "1500 tap DOWN\n2000 tap DOWN\n2500 tap DOWN\n3000 tap DOWN\n3500 tap RETURN\n"
                 "4500 down ESCAPE\n7000 up ESCAPE",
                 Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav", "system/menu/bleep.wav",
                          "system/menu/startlvl.wav", "system/menu/bleep.wav", "system/menu/hiscores.wav",
                          "system/menu/bleep.wav", "system/menu/sounds.wav", "system/menu/desc/select.wav",
                          "system/menu/desc/s1.wav", "system/menu/bleep.wav", "system/menu/sounds.wav"})},
        MenuWalk{"TheLoadItemWithoutASaveBeeps", "1500 tap DOWN\n2500 tap RETURN",
                 Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav", "sounds/invalid.wav",
                          "system/menu/bleep.wav", "system/menu/loadgame.wav"})},
        MenuWalk{"VSpeaksTheVersion", "1500 tap V",
                 Opening({"sounds/numbers/2.wav", "sounds/numbers/point.wav", "sounds/numbers/1.wav",
                          "sounds/numbers/point.wav", "sounds/numbers/5.wav"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainMenu, AHeldDownIsAnnouncedOnlyOnceItIsLetGo) {
  ProgramRun run(Scripted("1500 down DOWN\n5000 up DOWN", 8000));
  run.Run();
  EXPECT_EQ(run.TimeOf("play system/menu/bleep.wav"), 1500);
  EXPECT_GE(run.TimeOf("play system/menu/loadgame.wav"), 5000);
}

TEST(MainMenu, EscapeSpeaksTheExitPromptAndEnds) {
  ProgramRun run(Scripted("1500 tap ESCAPE", 8000));
  run.Run();
  EXPECT_EQ(run.exitCode, 0);
  const Heard events = run.Log({"play", "stop", "exit"});
  const Heard tail(events.end() - 4, events.end());
  EXPECT_EQ(tail, (Heard{"stop sounds/music/music5.wav", "stop system/menu/crickets.wav",
                         "play system/menu/exiting.wav", "exit code=0"}));
}

TEST(MainMenu, TheExitItemEndsTheProgram) {
  ProgramRun run(Scripted("1500 tap UP\n2500 tap RETURN", 8000));
  run.Run();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.Heard().back(), "system/menu/exiting.wav");
}

// The stick pushed left backs out of a submenu as Escape does, but in the
// main menu it does not end the program: the Escape key does.
TEST(MainMenu, TheStickPushedLeftLeavesASubmenuButNotTheProgram) {
  ProgramRun run(Scripted(
      "1500 axis X -32768\n1800 axis X 0\n"
      "2500 tap DOWN\n3000 tap DOWN\n3500 tap DOWN\n4000 tap DOWN\n4500 tap RETURN\n"
      "6500 axis X -32768\n6800 axis X 0\n"
      "8000 tap ESCAPE",
      12000, 1));
  ChooseJoystickControl(run);
  run.Run();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.Heard(), Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav", "system/menu/bleep.wav",
                                  "system/menu/startlvl.wav", "system/menu/bleep.wav", "system/menu/hiscores.wav",
                                  "system/menu/bleep.wav", "system/menu/sounds.wav", "system/menu/desc/select.wav",
                                  "system/menu/desc/s1.wav", "system/menu/bleep.wav", "system/menu/sounds.wav",
                                  "system/menu/exiting.wav"}));
  EXPECT_EQ(run.TimeOf("play system/menu/exiting.wav"), 8000);
}

// With another window in front the menu simply waits: neither a key nor the
// stick moves it, and its music plays on. Back in focus it goes on.
TEST(MainMenu, WaitsWhileTheWindowIsNotFocused) {
  ProgramRun run(Scripted(
      "1500 focus lost\n2000 tap DOWN\n2500 axis Y 32767\n2800 axis Y 0\n3000 tap ESCAPE\n"
      "3500 focus gained\n4000 tap DOWN",
      6000, 1));
  ChooseJoystickControl(run);
  run.Run();
  EXPECT_FALSE(run.exitCode);
  EXPECT_EQ(run.Heard(), Opening({"system/menu/bleep.wav", "system/menu/loadgame.wav"}));
  EXPECT_EQ(run.TimeOf("play system/menu/bleep.wav"), 4000);
  EXPECT_EQ(run.Log({"focus"}), (Heard{"focus lost", "focus gained"}));
  EXPECT_EQ(run.TimeOf("stop sounds/music/music5.wav"), -1);
}

// The crickets rise from -2000 by 100 every 500 ms and reach full volume on
// the twentieth step; the menu music starts at -1000 under the opening prompt.
TEST(MainMenu, TheCricketsFadeInOverTwentySteps) {
  ProgramRun run(Scripted("", 20000));
  run.Run();
  std::vector<int> volumes;
  std::vector<int> times;
  for (const std::string& line : run.Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op != "vol" || l.rest.rfind("system/menu/crickets.wav", 0) != 0) continue;
    volumes.push_back(std::stoi(l.rest.substr(l.rest.find("vol=") + 4)));
    times.push_back(l.ms);
  }
  ASSERT_EQ(volumes.size(), 21u);
  for (size_t i = 0; i < volumes.size(); ++i) EXPECT_EQ(volumes[i], -2000 + 100 * static_cast<int>(i));
  EXPECT_NEAR(times.back() - times.front(), 20 * 501, 2);
  EXPECT_EQ(run.TimeOf("vol sounds/music/music5.wav"), times.front());
}

TEST(MainMenu, AnItemAnnouncementDucksTheMenuMusic) {
  ProgramRun run(Scripted("1500 tap DOWN", 3000));
  run.Run();
  Heard menuMusic;
  for (const std::string& lineText : run.Lines()) {
    const test::LogLine l = test::ParseLogLine(lineText);
    if (l.op == "vol" && l.rest.rfind("sounds/music/music5.wav", 0) == 0) menuMusic.push_back(l.rest);
  }
  EXPECT_EQ(menuMusic, (Heard{"sounds/music/music5.wav vol=-1000", "sounds/music/music5.wav vol=0"}));
}

// A run that ended between a game passing the best and the menu storing it
// leaves the flag in the player file: the best is stored, never lowered.
TEST(MainMenu, ANewBestFlagFromThePlayerFileKeepsTheBest) {
  ProgramRun run(Scripted("", 3000));
  PlayerRecord record;
  record.personalBest = 5000;
  record.encodedBest = "333852";  // EncodeScore(5000)
  record.newBest = true;
  FileStore& folder = StorePlayerFile(run, record);
  run.Run();
  EXPECT_EQ(run.Heard(), (Heard{"sounds/sb.wav", "system/menu/writescr.wav", "system/menu/select.wav"}));
  const PlayerRecord stored = DecodePlayerFile(*folder.Read(kPlayerFileName)).record;
  EXPECT_FALSE(stored.newBest);
  EXPECT_EQ(stored.encodedBest, "333852");
}

// A game that passed the best (here one started from the command line,
// before the menu opened) is stored with its final score when the menu takes
// over, not with the score it had when it passed the best; H then speaks it.
TEST(MainMenu, ANewBestIsStoredWithTheFinalScoreAndSpokenByH) {
  ProgramRun run(Scripted("5000 tap H", 12000));
  Game& game = run.sim.game;
  try {
    StartUp(game);
    game.player.personalBest = 3000;
    ResetGameState(game);
    game.state.Difficulty = 1;
    AddScore(game, 5000);
    AddScore(game, 2250);
    game.state.GameOver = true;
    MainMenu(game);
  } catch (const SimulationEnd&) {
  }
  EXPECT_EQ(game.player.personalBest, 7250);
  EXPECT_FALSE(game.player.newBest);
  const auto file = run.PlayerFile(kPlayerFileName);
  ASSERT_TRUE(file);
  EXPECT_EQ(DecodePlayerFile(*file).record.personalBest, 7250);

  test::SimGame reference;
  SpeakNumber(reference.game, 7250);
  Heard expected = {"sounds/sb.wav", "sounds/hiscore.wav", "system/menu/writescr.wav", "system/menu/select.wav",
                    "system/menu/hs_yhsi.wav"};
  for (const std::string& word : reference.Played()) expected.push_back(word);
  EXPECT_EQ(run.Heard(), expected);
}

}  // namespace
}  // namespace sb
