#include <gtest/gtest.h>

#include "hosts/sim_host.h"
#include "program/startup.h"
#include "support/log_lines.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using test::Events;

std::vector<std::string> RunSim(SimOptions options, int* exitCode = nullptr) {
  options.untilMs = options.untilMs.value_or(30000);
  const SimResult result = RunSimulation(options);
  if (exitCode) *exitCode = result.exitCode;
  return result.lines;
}

// Escape in the main menu ends the program.
std::vector<ScriptEvent> EscapeAt(int32_t ms) { return test::Tap(ms, dik::ESCAPE); }

TEST(Startup, PlaysTheTitleThenRunsTheMainMenu) {
  SimOptions options;
  options.script = EscapeAt(1500);
  int code = -1;
  const auto lines = RunSim(options, &code);
  EXPECT_EQ(Events(lines, {"window", "play", "exit", "msgbox"}),
            (std::vector<std::string>{"window Starbarrow", "play sounds/sb.wav", "play system/menu/crickets.wav",
                                      "play sounds/music/music5.wav", "play system/menu/select.wav",
                                      "play system/menu/exiting.wav", "exit code=0"}));
  EXPECT_EQ(code, 0);
}

TEST(Startup, EveryStartupSoundIsLoadedWithItsVolume) {
  const auto lines = RunSim({});
  const std::vector<std::string> volumes = Events(lines, {"vol"});
  const std::vector<std::string> expected = {
      "vol sounds/laser.wav",   "vol sounds/laser_l.wav", "vol sounds/laser_r.wav", "vol sounds/nitelife.wav",
      "vol sounds/thrburst.wav", "vol sounds/thrcont.wav", "vol sounds/thrstop.wav", "vol sounds/pwthrust.wav"};
  ASSERT_GE(volumes.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(volumes.begin(), volumes.begin() + 8), expected);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "0 vol sounds/laser_l.wav vol=-500 buf=2"), lines.end());
}

TEST(Startup, ExitWaitsForTheWholeExitPrompt) {
  SimOptions options;
  options.lengths["system/menu/exiting.wav"] = 2500;
  options.script = EscapeAt(3000);
  const auto lines = RunSim(options);
  EXPECT_EQ(lines.back().substr(0, lines.back().find(' ')), "5500");
  EXPECT_EQ(test::ParseLogLine(lines.back()).op, "exit");
}

TEST(Startup, F12SkipsTheTitle) {
  SimOptions options;
  options.lengths["sounds/sb.wav"] = 20000;
  options.script = {{100, ScriptEvent::Kind::KeyDown, 0x58}, {150, ScriptEvent::Kind::KeyUp, 0x58}};
  const auto lines = RunSim(options);
  const auto menu = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("play system/menu/select.wav") != std::string::npos;
  });
  ASSERT_NE(menu, lines.end());
  EXPECT_EQ(test::ParseLogLine(*menu).ms, 100);
}

// An error no routine handles: one invalid beep, then the exit prompt.
TEST(Startup, AMissingStartupSoundBeepsOnceAndLeadsToTheExit) {
  SimOptions options;
  options.missing = {"system\\menu\\blip.wav"};
  int code = 0;
  const auto lines = RunSim(options, &code);
  const std::string err = test::Reports(lines);
  EXPECT_EQ(Events(lines, {"play", "exit", "msgbox"}),
            (std::vector<std::string>{"play sounds/invalid.wav", "play system/menu/exiting.wav", "exit code=1"}));
  EXPECT_NE(err.find("system/menu/blip.wav"), std::string::npos) << err;
  EXPECT_EQ(code, 1);
}

// The beep is loaded for the error when the start-up sounds are not in yet;
// when it is missing too, the exit prompt still comes.
TEST(Startup, AnErrorBeforeTheBeepIsLoadedStillBeepsAndReachesTheExit) {
  const struct {
    std::vector<std::string> missing;
    std::vector<std::string> events;
  } cases[] = {
      {{"sounds/laser.wav"}, {"play sounds/invalid.wav", "play system/menu/exiting.wav", "exit code=1"}},
      {{"sounds/laser.wav", "sounds/invalid.wav"}, {"play system/menu/exiting.wav", "exit code=1"}},
  };
  for (const auto& c : cases) {
    SimOptions options;
    options.missing = c.missing;
    const auto lines = RunSim(options);
    EXPECT_EQ(Events(lines, {"play", "exit"}), c.events) << c.missing.back();
  }
}

TEST(Startup, AFailingPromptShowsItsErrorAndTheProgramGoesOn) {
  SimOptions options;
  options.missing = {"sounds/sb.wav"};
  options.script = EscapeAt(1000);
  const auto lines = RunSim(options);
  EXPECT_EQ(Events(lines, {"msgbox", "exit"}), (std::vector<std::string>{"msgbox Error:", "exit code=0"}));
  EXPECT_EQ(Events(lines, {"play"}).at(2), "play system/menu/select.wav");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "0 msgbox Error: PlaySound #53 - File not found: sounds/sb.wav"),
            lines.end());
}

TEST(Startup, WithoutASoundDeviceItSaysSoAndEnds) {
  SimOptions options;
  options.noSoundDevice = true;
  int code = 0;
  const auto lines = RunSim(options, &code);
  ASSERT_EQ(Events(lines, {"play", "msgbox", "exit"}), (std::vector<std::string>{"msgbox Sound"}));
  const std::string box = test::ParseLogLine(lines.back()).rest;
  EXPECT_EQ(box.rfind("Sound driver error. Please update your sound card drivers and make sure you have at least "
                      "DirectX 7.0 installed. ",
                      0),
            0u);
  EXPECT_NE(box.find("\"Sound problems\" in README.md"), std::string::npos) << "help that exists";
  EXPECT_EQ(code, 1);
}

TEST(Startup, ASecondInstanceEndsWithoutOpeningAnything) {
  SimOptions options;
  options.otherInstanceRunning = true;
  int code = -1;
  const auto lines = RunSim(options, &code);
  EXPECT_EQ(Events(lines), (std::vector<std::string>{"raise other-instance"}));
  EXPECT_EQ(code, 0);
}

TEST(Startup, StopsAtTheRequestedTime) {
  SimOptions options;
  options.lengths["sounds/sb.wav"] = 60000;
  options.untilMs = 2000;
  const SimResult result = RunSimulation(options);
  EXPECT_TRUE(result.reachedUntil);
  EXPECT_EQ(result.lines.back(), "2000 end");
}

}  // namespace
}  // namespace sb
