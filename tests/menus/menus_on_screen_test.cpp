// Every menu in the window's picture: its title, and the item marked being
// the one whose prompt is starting. Each menu is entered directly on a
// simulated host that looks at the picture as each prompt starts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "game/settings.h"
#include "input/joystick.h"
#include "menus/joystick_menus.h"
#include "menus/menus.h"
#include "menus/program_run.h"
#include "scoreboard/name_entry.h"
#include "scoreboard/score_menu.h"
#include "support/screen_watch.h"
#include "support/sim_game.h"

namespace sb {
namespace {

// A player's game with `controllers` attached; in joystick control when
// `joystickMode`, with the first controller open.
struct WatchedMenu : test::SimGameOn<test::ScreenWatchingHost> {
  WatchedMenu(const std::string& script, int32_t untilMs, int controllers, bool joystickMode)
      : SimGameOn(test::Scripted(script, untilMs, controllers)) {
    LoadPlayerFiles(game);
    EnumerateJoysticks(game);
    if (joystickMode) {
      game.player.controllerMode = 1;
      SetUpJoystick(game);
    }
    host.game = &game;
  }
  // What the window showed the last time `prompt` started ("" when it never
  // did); without a prompt, what it showed on the last pass.
  std::string ShownAt(const char* prompt) const {
    if (!prompt) return host.lastShown;
    const std::string wanted = Normal(prompt) + " | ";
    for (auto seen = host.seen.rbegin(); seen != host.seen.rend(); ++seen) {
      if (Normal(*seen).starts_with(wanted)) return seen->substr(wanted.size());
    }
    return "";
  }
  // Lower case with forward slashes, as the captions name recordings.
  static std::string Normal(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  }
};

struct ShownCase {
  const char* name;
  void (*menu)(Game&);
  const char* script;
  const char* prompt;  // the last time it starts; none: the last pass before the clock stopped
  const char* shown;   // "title:marked item"
  int controllers = 0;
  bool joystickMode = false;
  int32_t untilMs = 8000;
};

void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.name; }

class MenuShown : public testing::TestWithParam<ShownCase> {};

TEST_P(MenuShown, MarksTheItemWhosePromptStarts) {
  const ShownCase& c = GetParam();
  WatchedMenu menu(c.script, c.untilMs, c.controllers, c.joystickMode);
  menu.Run(c.menu);
  EXPECT_EQ(menu.ShownAt(c.prompt), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMenu, MenuShown,
    testing::Values(
        ShownCase{"SoundsUpWrapsToTheLastDescription", SoundsMenu, "1500 tap UP", "system/menu/desc/s50.wav",
                  "Sounds:The mothership's roller bomb. Knock it back with your side lasers."},
        ShownCase{"DifficultyUpIsInsane", [](Game& g) { DifficultyMenu(g); }, "1000 tap UP",
                  "system/menu/diff4.wav", "Choose a difficulty:Insane"},
        ShownCase{"LevelSelectUpIsLevelSix", LevelSelectMenu, "2000 tap UP", "sounds/numbers/6.wav",
                  "Choose a level:Level six"},
        // Back from the controller menu, the first item says the new controller.
        ShownCase{"OptionsAfterJoystickControlIsChosen", OptionsMenu,
                  "2000 tap RETURN\n3000 tap DOWN\n4000 tap RETURN", "system/menu/controllermode.wav",
                  "Options:Controller: joystick", 1},
        ShownCase{"KeyboardMappingUpIsExit", KeyboardMappingMenu, "1500 tap UP", "system/menu/exit.wav",
                  "Keyboard mapping:Exit"},
        // Each action shows its key, and the item read again after a rebind its new one.
        ShownCase{"KeyboardMappingAfterARebind", KeyboardMappingMenu, "1500 tap RETURN\n3000 tap Z",
                  "system/menu/kmovleft.wav", "Keyboard mapping:Move left: Z"},
        // The item read again after a rebind shows its new button.
        ShownCase{"ButtonMappingAfterARebind", ButtonMappingMenu, "1500 tap RETURN\n3000 button 5 down\n3300 button 5 up",
                  "system/menu/kmovleft.wav", "Button mapping:Move left: Button 6", 1, true},
        ShownCase{"ButtonMappingShowsTheStick", ButtonMappingMenu, "1500 tap DOWN", "system/menu/kmovrite.wav",
                  "Button mapping:Move right: stick right", 1, true},
        ShownCase{"ControllerModeDownIsJoystick", ControllerModeMenu, "1500 tap DOWN", "system/menu/joystick.wav",
                  "Controller:joystick"},
        ShownCase{"JoystickMenuDownIsMovementMode", JoystickMenu, "1500 tap DOWN", "system/menu/joystickmode.wav",
                  "Joystick:Movement mode", 1, true},
        ShownCase{"JoystickChoiceByName", SelectJoystickMenu, "12000 tap DOWN", "system/menu/buttonjoystick.wav",
                  "Choose a joystick:Simulated controller 2", 2, true, 20000},
        ShownCase{"MovementModeDownIsAnalog", MovementModeMenu, "3000 tap DOWN", "system/menu/analog.wav",
                  "Movement mode:analog", 1, true},
        ShownCase{"JoystickTestHasATitleOnly", JoystickTest, "", nullptr, "Joystick test", 1, true},
        ShownCase{"ScoreBoardDownIsSend", ScoreMenu, "2000 tap DOWN", "system/menu/hsnsubmiths.wav",
                  "Online score board:Send your high score"},
        // The name typed so far, shown before its last letter is read back.
        ShownCase{"NameEntryShowsTheNameTyped", [](Game& game) { TypePlayerName(game); },
                  "5000 down LSHIFT\n5100 tap A\n5300 up LSHIFT\n6000 tap B", "system/menu/letters/b.wav",
                  "Type your name:Ab"}),
    [](const auto& info) { return std::string(info.param.name); });

// The joystick choice opened from the joystick menu ends in a joystick menu
// of its own; each shows itself while it runs, and the one that opened them
// comes back, its item still marked, when they are left.
TEST(MenuShown, TheJoystickChoiceNestsAnotherJoystickMenuAndGoesBack) {
  WatchedMenu menu("1500 tap RETURN\n14000 tap ESCAPE\n16000 tap DOWN\n18000 tap ESCAPE", 22000, 2, true);
  menu.Run(JoystickMenu);
  std::vector<std::string> seen;
  for (const std::string& s : menu.host.seen) {
    if (s.find("seljoymenu") != std::string::npos || s.find("selectpreferred") != std::string::npos ||
        s.find("joystickmode") != std::string::npos || s.find("selectjoystick") != std::string::npos) {
      seen.push_back(s);
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "system\\menu\\seljoymenu.wav | Joystick:Choose a joystick",
                      "system\\menu\\selectpreferred.wav | Choose a joystick",
                      "system\\menu\\seljoymenu.wav | Joystick:Choose a joystick",  // the nested one opens
                      "system\\menu\\joystickmode.wav | Joystick:Movement mode",
                      "system\\menu\\selectjoystick.wav | Joystick:Choose a joystick",  // back in the first
                  }));
}

}  // namespace
}  // namespace sb
