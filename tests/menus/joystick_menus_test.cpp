// The joystick menus on a simulated host with a scripted controller, each
// menu entered directly and walked with a script.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/settings.h"
#include "input/joystick.h"
#include "menus/joystick_menus.h"
#include "menus/menus.h"
#include "menus/program_run.h"
#include "platform/key_map.h"
#include "sound/game_sounds.h"
#include "support/log_lines.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// A player in joystick control with `controllers` attached and the first open.
struct JoyMenu {
  explicit JoyMenu(const std::string& script, int controllers = 1, uint8_t mode = 1)
      : sim(test::Scripted(script, 120000, controllers)) {
    LoadPlayerFiles(sim.game);
    EnumerateJoysticks(sim.game);
    sim.game.player.controllerMode = mode;
    if (mode == 1 && controllers > 0) SetUpJoystick(sim.game);
    sim.ClearLog();
  }
  template <typename F>
  bool Run(F menu) {
    return sim.Run(menu);
  }
  uint8_t SavedButton(Action action) const {
    const auto bytes = sim.host.Files(Folder::Player).Read(kKeyMapFileName);
    EXPECT_TRUE(bytes && bytes->size() == kKeyMapBytes);
    return bytes ? (*bytes)[6 * action + 4] : 0;
  }
  test::SimGame sim;
};

TEST(ControllerMode, TheChoiceStartsAtKeyboard) {
  struct Case {
    const char* script;
    uint8_t mode;
  } cases[] = {{"2000 tap RETURN", 0}, {"2000 tap DOWN\n6000 tap RETURN", 1}, {"2000 tap UP\n6000 tap ESCAPE", 1}};
  for (const Case& c : cases) {
    JoyMenu menu(c.script, 1, 1);
    ASSERT_TRUE(menu.Run(ControllerModeMenu)) << c.script;
    EXPECT_EQ(menu.sim.game.player.controllerMode, c.mode) << c.script;
  }
}

TEST(ControllerMode, JoystickControlOpensTheControllerAndNotesTheOldMode) {
  JoyMenu menu("2000 tap DOWN\n6000 tap RETURN", 1, 0);
  ASSERT_TRUE(menu.Run(ControllerModeMenu));
  EXPECT_EQ(menu.sim.game.player.controllerMode, 1);
  EXPECT_EQ(menu.sim.Log({"joystick"}), (Heard{"joystick open"}));
  const Heard settings = menu.sim.Log({"settings"});
  ASSERT_EQ(settings.size(), 1u);
  EXPECT_NE(settings[0].find("ControllerMode=0"), std::string::npos) << settings[0];
}

TEST(JoystickMenus, WithoutAControllerOnlySayNoneIsDetected) {
  const std::vector<std::pair<const char*, void (*)(Game&)>> menus = {
      {"joystick menu", JoystickMenu}, {"joystick choice", SelectJoystickMenu}, {"test", JoystickTest}};
  for (const auto& [name, open] : menus) {
    JoyMenu menu("", 0, 1);
    ASSERT_TRUE(menu.Run(open)) << name;
    EXPECT_EQ(menu.sim.Played(), (Heard{"system/menu/nojoystickdetected.wav"})) << name;
  }
  JoyMenu keyboard("", 1, 0);
  ASSERT_TRUE(keyboard.Run(JoystickMenu));
  EXPECT_EQ(keyboard.sim.Played(), (Heard{"system/menu/nojoystickdetected.wav"}));
}

TEST(JoystickMenus, TheMenuWalksItsSixItems) {
  JoyMenu menu("3000 tap DOWN\n6000 tap DOWN\n9000 tap DOWN\n12000 tap DOWN\n15000 tap DOWN\n18000 tap DOWN\n"
               "21000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(JoystickMenu));
  Heard prompts;
  for (const std::string& p : menu.sim.Played()) {
    if (p != "system/menu/bleep.wav") prompts.push_back(p);
  }
  EXPECT_EQ(prompts, (Heard{"system/menu/seljoymenu.wav", "system/menu/joystickmode.wav",
                            "system/menu/mapbuttons.wav", "system/menu/testjoystick.wav", "system/menu/openpanel.wav",
                            "system/menu/exit.wav", "system/menu/selectjoystick.wav"}));
}

// The joystick choice ends in a joystick menu of its own: three Escapes in
// all lead back out, two are not enough.
TEST(JoystickMenus, TheJoystickChoiceNestsAnotherJoystickMenu) {
  const std::string visit = "3000 tap RETURN\n40000 tap ESCAPE\n50000 tap ESCAPE\n";
  JoyMenu twice(visit, 2);
  EXPECT_FALSE(twice.Run(JoystickMenu));
  JoyMenu thrice(visit + "60000 tap ESCAPE", 2);
  EXPECT_TRUE(thrice.Run(JoystickMenu));
}

TEST(JoystickMenus, TheJoystickChoiceSpeaksEachControllerAndStoresThePreference) {
  JoyMenu menu("3000 tap RETURN\n40000 tap DOWN\n50000 tap RETURN\n60000 tap ESCAPE\n70000 tap ESCAPE", 2);
  ASSERT_TRUE(menu.Run(JoystickMenu));
  EXPECT_EQ(menu.sim.game.player.preferredJoystick, 2);
  const Heard settings = menu.sim.Log({"settings"});
  ASSERT_EQ(settings.size(), 1u);
  EXPECT_NE(settings[0].find("ControllerPreference=2"), std::string::npos) << settings[0];
  const Heard heard = menu.sim.Played();
  EXPECT_NE(std::find(heard.begin(), heard.end(), "system/menu/buttonjoystick.wav"), heard.end());
}

TEST(MovementMode, UpOrDownTogglesAtOnce) {
  JoyMenu menu("5000 tap DOWN\n10000 tap ESCAPE\n15000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(MovementModeMenu));
  EXPECT_EQ(menu.sim.game.player.joystickMode, 1);
  EXPECT_TRUE(menu.sim.Log({"settings"}).empty()) << "Escape writes nothing";
}

TEST(ButtonMapping, AButtonPressedIsBoundAndWritten) {
  JoyMenu menu("3000 tap RETURN\n8000 button 9 down\n8300 button 9 up\n12000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(ButtonMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kMoveLeft].button, 9);
  EXPECT_EQ(menu.SavedButton(kMoveLeft), 9);
}

TEST(ButtonMapping, AStickPushIsBoundWithoutLeavingTheMenu) {
  // Left on the stick is also Escape in the menus; the capture takes it.
  JoyMenu menu("3000 tap RETURN\n8000 axis X -32768\n8300 axis X 0\n20000 tap ESCAPE");
  menu.sim.game.input.actions[kMoveLeft].button = 7;
  ASSERT_TRUE(menu.Run(ButtonMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kMoveLeft].button, kStickLeft);
  EXPECT_EQ(menu.sim.Log({"write"}).size(), 2u) << "written once: the Escape key left";
}

TEST(ButtonMapping, EscapeDuringTheCaptureKeepsTheOldButton) {
  JoyMenu menu("3000 tap RETURN\n8000 tap ESCAPE\n12000 tap ESCAPE");
  menu.sim.game.input.actions[kMoveLeft].button = 7;
  ASSERT_TRUE(menu.Run(ButtonMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kMoveLeft].button, 7);
  EXPECT_TRUE(menu.sim.Log({"write"}).empty());
}

TEST(ButtonMapping, TheDefaultsBindShieldsAndTractorToStickUp) {
  JoyMenu menu("3000 tap UP\n6000 tap UP\n9000 tap RETURN\n15000 tap ESCAPE");
  for (ActionRecord& a : menu.sim.game.input.actions) a.button = 20;
  ASSERT_TRUE(menu.Run(ButtonMappingMenu));
  for (int a = 0; a < kActionCount; ++a) EXPECT_EQ(menu.sim.game.input.actions[a].button, kDefaultButtons[a]) << a;
  EXPECT_EQ(menu.sim.game.input.actions[kShields].button, kStickUp);
  EXPECT_EQ(menu.sim.game.input.actions[kTractor].button, kStickUp);
  EXPECT_EQ(menu.SavedButton(kTractor), kStickUp);
}

// The field `name=` of a log line's text.
std::string Field(const std::string& rest, const std::string& name) {
  const auto at = rest.find(name + "=");
  return at == std::string::npos ? "" : rest.substr(at, rest.find(' ', at) - at);
}

// The last pan and frequency the test beep was given.
std::pair<std::string, std::string> LastBeepSettings(const test::SimGame& sim) {
  int beep = -1;
  std::string pan, freq;
  for (const std::string& line : sim.host.GetLog().Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "play" && l.rest.find("testbeep") != std::string::npos) {
      beep = l.buf;
      pan = Field(l.rest, "pan");
      freq = Field(l.rest, "freq");
    }
    if (l.buf != beep) continue;
    if (l.op == "pan") pan = Field(l.rest, "pan");
    if (l.op == "freq") freq = Field(l.rest, "freq");
  }
  return {pan, freq};
}

TEST(JoystickTestScreen, TheBeepFollowsTheStick) {
  struct Case {
    const char* stick;
    const char* pan;
    const char* freq;
  } cases[] = {{"axis X 0\n3100 axis Y 0", "pan=0", "freq=22050"},
               {"axis X 32767\n3100 axis Y -32768", "pan=2500", "freq=27050"},
               {"axis X -32768\n3100 axis Y 32767", "pan=-2500", "freq=17050"}};
  for (const Case& c : cases) {
    const std::string script = std::string("1000 axis X 20000\n1100 axis Y 20000\n3000 ") + c.stick + "\n6000 tap ESCAPE";
    JoyMenu menu(script);
    ASSERT_TRUE(menu.Run(JoystickTest)) << c.stick;
    EXPECT_EQ(LastBeepSettings(menu.sim), std::make_pair(std::string(c.pan), std::string(c.freq))) << c.stick;
    EXPECT_FALSE(menu.sim.game.input.joystickTest);
  }
}

TEST(JoystickTestScreen, StickLeftDoesNotLeaveAndButtonsRestartTheLaser) {
  JoyMenu menu("1000 axis X -32768\n2000 axis X 0\n3000 button 4 down\n3500 button 6 down\n4000 button 4 up\n"
               "4100 button 6 up\n5000 button 0 down\n5200 button 0 up\n8000 tap ESCAPE");
  LoadGameSounds(menu.sim.game);  // as at start-up
  ASSERT_TRUE(menu.Run(JoystickTest));
  const Heard heard = menu.sim.Played();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "sounds/laser.wav"), 2);
  EXPECT_GE(menu.sim.host.Ticks(), 8000) << "only the Escape key left";
}

}  // namespace
}  // namespace sb
