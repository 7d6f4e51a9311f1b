#include <array>
#include <string>
#include <utility>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "input/joystick.h"
#include "menus/joystick_menus.h"
#include "menus/menu_keys.h"
#include "menus/menu_walk.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum JoystickItem : uint8_t { kSelectJoystick, kMovementMode, kMapButtons, kTestJoystick, kControlPanel, kLeaveJoystick };

constexpr std::array<const char*, 6> kJoystickPrompts = {
    "system\\menu\\selectjoystick.wav", "system\\menu\\joystickmode.wav", "system\\menu\\mapbuttons.wav",
    "system\\menu\\testjoystick.wav",   "system\\menu\\openpanel.wav",    "system\\menu\\exit.wav"};

// The two choices as the window lists them: the first is 0 (keyboard,
// digital movement), the second 1 (joystick, analog movement).
constexpr std::array<const char*, 2> kModePrompts = {"system\\menu\\keyboard.wav", "system\\menu\\joystick.wav"};
constexpr std::array<const char*, 2> kMovementPrompts = {"system\\menu\\digital.wav", "system\\menu\\analog.wav"};

int MovementItem(uint8_t mode) { return mode == 1 ? 1 : 0; }

const char* MovementPrompt(uint8_t mode) { return kMovementPrompts[MovementItem(mode)]; }

// Announces a choice between two values with the menu music held down.
void AnnounceChoice(Game& game, const char* prompt) {
  DuckMenuMusic(game);
  PlaySound(game, prompt, 0, true);
  RestoreMenuMusic(game);
}

// There is no system joystick panel on this platform: the item tells the
// player where the same help is found, the button mapping and the test.
void SpeakControlPanelHelp(Game& game) {
  PlaySound(game, "system\\menu\\mapbuttons.wav", 0, true);
  PlaySound(game, "system\\menu\\testjoystick.wav", 0, true);
}

MenuStep OpenJoystickItem(Game& game, int item) {
  switch (item) {
    case kSelectJoystick: SelectJoystickMenu(game); break;
    case kMovementMode: MovementModeMenu(game); break;
    case kMapButtons: ButtonMappingMenu(game); break;
    case kTestJoystick: JoystickTest(game); break;
    case kControlPanel: SpeakControlPanelHelp(game); break;
    default: return MenuStep::Leave;
  }
  SpeakJoystickMenuItem(game, item);
  return MenuStep::Stay;
}

// The attached controllers by the names the machine gives them.
std::vector<std::string> JoystickNames(Game& game) {
  std::vector<std::string> names;
  for (int i = 0; i < game.input.joystick.count; ++i) {
    std::string name = game.host.Joystick(i).name;
    if (name.empty()) name = ItemWords("system\\menu\\joystick.wav") + " " + std::to_string(i + 1);
    names.push_back(std::move(name));
  }
  return names;
}

// Controller item + 1 becomes the preferred.
MenuStep PreferJoystick(Game& game, int item) {
  game.player.preferredJoystick = item + 1;
  WriteSetting(game, "ControllerPreference", std::to_string(item + 1));
  PlaySound(game, "system\\menu\\selected.wav", 0, true);
  return MenuStep::Leave;
}

// The controllers found and the one in use are said first; then Up and Down
// walk the controllers from the first, and Enter makes one the preferred.
void ChoosePreferredJoystick(Game& game) {
  const int32_t count = game.input.joystick.count;
  MenuOnScreen screen(game, "Choose a joystick", JoystickNames(game));
  SpeakNumber(game, count);
  PlaySound(game, "system\\menu\\joysticksdetected.wav", 0, true);
  PlaySound(game, "system\\menu\\currentstick.wav", 0, true);
  SpeakJoystickInfo(game, game.player.preferredJoystick == 0 ? 1 : game.player.preferredJoystick);
  PlaySound(game, "system\\menu\\selectpreferred.wav", 0, true);
  screen.Mark(0);
  SpeakJoystickInfo(game, 1);
  WalkMenu(game, screen,
           {.items = count,
            .steps = Steps::OncePerPress,
            .speak = [](Game& g, int item) { SpeakJoystickInfo(g, item + 1); },
            .keys = {{dik::RETURN, PreferJoystick}, {dik::ESCAPE, LeaveMenu}}});
}

void SetMovementMode(Game& game, int item) {
  game.player.joystickMode = item;
  AnnounceChoice(game, MovementPrompt(game.player.joystickMode));
}

MenuStep KeepMovementMode(Game& game, int) {
  WriteSetting(game, "JoystickMode", std::to_string(game.player.joystickMode));
  PlaySound(game, "system\\menu\\selected.wav", 0, true);
  return MenuStep::Leave;
}

void ChooseMovementMode(Game& game) {
  MenuOnScreen screen(game, "Movement mode", kMovementPrompts);
  screen.Mark(MovementItem(game.player.joystickMode));
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\currentmode.wav", 0, true);
  PlaySound(game, MovementPrompt(game.player.joystickMode), 0, true);
  PlayPromptInterruptible(game, "system\\menu\\selectmovemode.wav");
  RestoreMenuMusic(game);
  // The choice takes effect at once, even if the menu is left with Escape.
  WalkMenu(game, screen,
           {.items = 2,
            .start = MovementItem(game.player.joystickMode),
            .steps = Steps::OncePerPress,
            .speak = SetMovementMode,
            .keys = {{dik::RETURN, KeepMovementMode}, {dik::ESCAPE, LeaveMenu}}});
}

// The mode in force before the choice is what the settings store keeps; the
// player file takes the new one when the options menu is left.
MenuStep ChooseControllerMode(Game& game, int item) {
  const bool joystick = item == 1;
  WriteSetting(game, "ControllerMode", std::to_string(game.player.controllerMode));
  PlaySound(game, "system\\menu\\selected.wav", 0, true);
  if (joystick) SetUpJoystick(game);
  game.player.controllerMode = joystick ? 1 : 0;
  return MenuStep::Leave;
}

}  // namespace

void ControllerModeMenu(Game& game) {
  // The choice starts at keyboard whatever the mode in force.
  MenuOnScreen screen(game, "Controller", kModePrompts);
  screen.Mark(0);
  OpeningPrompt(game, "system\\menu\\selectmode.wav");
  WalkMenu(game, screen,
           {.items = 2,
            .steps = Steps::OncePerPress,
            .speak = [](Game& g, int item) { AnnounceChoice(g, kModePrompts[item]); },
            .keys = {{dik::RETURN, ChooseControllerMode}, {dik::ESCAPE, LeaveMenu}}});
}

void JoystickMenu(Game& game) {
  if (game.player.controllerMode != 1 || !JoystickPresent(game)) {
    if (game.player.controllerMode != 1) PlaySound(game, "system\\menu\\nojoystickdetected.wav", 0, true);
    return;
  }
  MenuOnScreen screen(game, "Joystick", kJoystickPrompts);
  screen.Mark(kSelectJoystick);
  OpeningPrompt(game, "system\\menu\\seljoymenu.wav");
  WalkMenu(game, screen,
           {.items = kJoystickPrompts.size(),
            .speak = SpeakJoystickMenuItem,
            .keys = {{dik::RETURN, OpenJoystickItem}, {dik::ESCAPE, LeaveMenu}}});
}

void SpeakJoystickMenuItem(Game& game, uint8_t item) {
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  PlayPromptInterruptible(game, kJoystickPrompts[item % kJoystickPrompts.size()]);
  RestoreMenuMusic(game);
}

void SpeakJoystickInfo(Game& game, uint8_t n) {
  const JoystickState& js = game.input.joystick;
  const int index = (n >= 1 && n <= kMaxJoysticks) ? n - 1 : 0;
  PlaySound(game, "system\\menu\\joystick.wav", 0, true);
  SpeakNumber(game, n);
  PlaySound(game, "system\\menu\\pause25.wav", 0, true);
  SpeakNumber(game, js.axes[index]);
  PlaySound(game, "system\\menu\\axis.wav", 0, true);
  SpeakNumber(game, js.buttons[index]);
  PlaySound(game, "system\\menu\\buttonjoystick.wav", 0, true);
}

void SelectJoystickMenu(Game& game) {
  DuckMenuMusic(game);
  if (!JoystickPresent(game)) return;
  ChoosePreferredJoystick(game);
  // A fresh joystick menu inside the one that opened this: leaving takes one
  // more Escape.
  JoystickMenu(game);
  RestoreMenuMusic(game);
}

void MovementModeMenu(Game& game) {
  ChooseMovementMode(game);
  JoystickMenu(game);
}

}  // namespace sb
