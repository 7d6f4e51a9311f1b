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

const char* ModePrompt(bool joystick) { return kModePrompts[joystick ? 1 : 0]; }

int MovementItem(uint8_t mode) { return mode == 1 ? 1 : 0; }

const char* MovementPrompt(uint8_t mode) { return kMovementPrompts[MovementItem(mode)]; }

// Announces a choice between two values with the menu music held down.
void AnnounceChoice(Game& game, const char* prompt) {
  DuckMenuMusic(game);
  PlaySound(game, prompt, 0, true);
  RestoreMenuMusic(game);
}

bool UpOrDown(Game& game) { return TakeKey(game.input, dik::UP) || TakeKey(game.input, dik::DOWN); }

// There is no system joystick panel on this platform: the item tells the
// player where the same help is found, the button mapping and the test.
void SpeakControlPanelHelp(Game& game) {
  PlaySound(game, "system\\menu\\mapbuttons.wav", 0, true);
  PlaySound(game, "system\\menu\\testjoystick.wav", 0, true);
}

void OpenJoystickItem(Game& game, uint8_t item) {
  switch (item) {
    case kSelectJoystick: SelectJoystickMenu(game); break;
    case kMovementMode: MovementModeMenu(game); break;
    case kMapButtons: ButtonMappingMenu(game); break;
    case kTestJoystick: JoystickTest(game); break;
    default: SpeakControlPanelHelp(game);
  }
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
  uint8_t n = 1;
  screen.Mark(n - 1);
  SpeakJoystickInfo(game, n);
  for (;;) {
    MenuPass(game);
    if (TakeKey(game.input, dik::UP)) {
      n = n <= 1 ? static_cast<uint8_t>(count) : n - 1;
      screen.Mark(n - 1);
      SpeakJoystickInfo(game, n);
    }
    if (TakeKey(game.input, dik::DOWN)) {
      n = n >= count ? 1 : n + 1;
      screen.Mark(n - 1);
      SpeakJoystickInfo(game, n);
    }
    if (TakeKey(game.input, dik::RETURN)) {
      game.player.preferredJoystick = n;
      WriteSetting(game, "ControllerPreference", std::to_string(n));
      PlaySound(game, "system\\menu\\selected.wav", 0, true);
      return;
    }
    if (TakeKey(game.input, dik::ESCAPE)) return;
  }
}

void ChooseMovementMode(Game& game) {
  MenuOnScreen screen(game, "Movement mode", kMovementPrompts);
  screen.Mark(MovementItem(game.player.joystickMode));
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\currentmode.wav", 0, true);
  PlaySound(game, MovementPrompt(game.player.joystickMode), 0, true);
  PlayPromptInterruptible(game, "system\\menu\\selectmovemode.wav");
  RestoreMenuMusic(game);
  for (;;) {
    MenuPass(game);
    if (UpOrDown(game)) {
      // The toggle takes effect at once, even if the menu is left with Escape.
      game.player.joystickMode = game.player.joystickMode == 1 ? 0 : 1;
      screen.Mark(MovementItem(game.player.joystickMode));
      AnnounceChoice(game, MovementPrompt(game.player.joystickMode));
    }
    if (TakeKey(game.input, dik::RETURN)) {
      WriteSetting(game, "JoystickMode", std::to_string(game.player.joystickMode));
      PlaySound(game, "system\\menu\\selected.wav", 0, true);
      return;
    }
    if (TakeKey(game.input, dik::ESCAPE)) return;
  }
}

}  // namespace

void ControllerModeMenu(Game& game) {
  // The choice starts at keyboard whatever the mode in force.
  bool joystick = false;
  MenuOnScreen screen(game, "Controller", kModePrompts);
  screen.Mark(joystick);
  OpeningPrompt(game, "system\\menu\\selectmode.wav");
  for (;;) {
    MenuPass(game);
    if (UpOrDown(game)) {
      joystick = !joystick;
      screen.Mark(joystick);
      AnnounceChoice(game, ModePrompt(joystick));
    }
    if (TakeKey(game.input, dik::RETURN)) {
      WriteSetting(game, "ControllerMode", std::to_string(game.player.controllerMode));
      PlaySound(game, "system\\menu\\selected.wav", 0, true);
      if (joystick) SetUpJoystick(game);
      game.player.controllerMode = joystick ? 1 : 0;
      return;
    }
    if (TakeKey(game.input, dik::ESCAPE)) return;
  }
}

void JoystickMenu(Game& game) {
  if (game.player.controllerMode != 1 || !JoystickPresent(game)) {
    if (game.player.controllerMode != 1) PlaySound(game, "system\\menu\\nojoystickdetected.wav", 0, true);
    return;
  }
  uint8_t item = kSelectJoystick;
  MenuOnScreen screen(game, "Joystick", kJoystickPrompts);
  screen.Mark(item);
  OpeningPrompt(game, "system\\menu\\seljoymenu.wav");
  for (;;) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      item = PreviousItem(item, kSelectJoystick, kLeaveJoystick);
      screen.Mark(item);
      SpeakJoystickMenuItem(game, item);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      item = NextItem(item, kSelectJoystick, kLeaveJoystick);
      screen.Mark(item);
      SpeakJoystickMenuItem(game, item);
    }
    if (TakeKey(game.input, dik::RETURN)) {
      if (item == kLeaveJoystick) return;
      OpenJoystickItem(game, item);
      SpeakJoystickMenuItem(game, item);
    }
    if (TakeKey(game.input, dik::ESCAPE)) return;
  }
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
