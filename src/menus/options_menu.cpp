#include <array>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum OptionsItem : uint8_t { kControllerMode, kKeyboardMapping, kJoystick, kLeaveOptions };

constexpr std::array<const char*, 4> kOptionPrompts = {"system\\menu\\controllermode.wav", "system\\menu\\kconfig.wav",
                                                        "system\\menu\\jconfig.wav", "system\\menu\\exit.wav"};

const char* ControllerModePrompt(const Game& game) {
  return game.player.controllerMode == 1 ? "system\\menu\\joystick.wav" : "system\\menu\\keyboard.wav";
}

// The first item says the controller in use, which the menus inside may change.
std::vector<std::string> OptionItems(const Game& game) {
  std::vector<std::string> items;
  for (const char* prompt : kOptionPrompts) items.push_back(ItemWords(prompt));
  items[kControllerMode].append(" ").append(ItemWords(ControllerModePrompt(game)));
  return items;
}

}  // namespace

void OptionsMenu(Game& game) {
  uint8_t item = kControllerMode;
  bool stay = true;
  MenuOnScreen screen(game, "Options", OptionItems(game));
  screen.Mark(item);
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\oselect.wav", 0, true);
  PlayPromptInterruptible(game, ControllerModePrompt(game));
  RestoreMenuMusic(game);
  while (stay) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      item = PreviousItem(item, kControllerMode, kLeaveOptions);
      screen.Mark(item);
      SpeakOptionsItem(game, item);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      item = NextItem(item, kControllerMode, kLeaveOptions);
      screen.Mark(item);
      SpeakOptionsItem(game, item);
    }
    if (TakeKey(game.input, dik::RETURN)) {
      switch (item) {
        case kControllerMode: ControllerModeMenu(game); break;
        case kKeyboardMapping: KeyboardMappingMenu(game); break;
        case kJoystick: JoystickMenu(game); break;
        default: stay = false;
      }
      screen.Picture().items = OptionItems(game);
      if (stay) SpeakOptionsItem(game, item);
    }
    if (TakeKey(game.input, dik::ESCAPE)) stay = false;
  }
  SaveSettings(game);
}

void SpeakOptionsItem(Game& game, uint8_t item) {
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  if (item == kControllerMode) {
    PlaySound(game, kOptionPrompts[kControllerMode], 0, true);
    PlayPromptInterruptible(game, ControllerModePrompt(game));
    return;
  }
  PlayPromptInterruptible(game, kOptionPrompts[item % kOptionPrompts.size()]);
}

}  // namespace sb
