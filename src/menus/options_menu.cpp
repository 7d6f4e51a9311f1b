#include <array>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "menus/menu_walk.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/own_voice.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum OptionsItem : uint8_t { kControllerMode, kKeyboardMapping, kJoystick, kVoice, kLeaveOptions };

constexpr std::array<const char*, 5> kOptionPrompts = {"system\\menu\\controllermode.wav", "system\\menu\\kconfig.wav",
                                                        "system\\menu\\jconfig.wav", kVoiceItemPrompt,
                                                        "system\\menu\\exit.wav"};

const char* ControllerModePrompt(const Game& game) {
  return game.player.controllerMode == 1 ? "system\\menu\\joystick.wav" : "system\\menu\\keyboard.wav";
}

// What is in effect for an item that is a choice (the controller, the voice);
// null for the others.
const char* ChoicePrompt(const Game& game, int item) {
  if (item == kControllerMode) return ControllerModePrompt(game);
  return item == kVoice ? VoicePrompt(game) : nullptr;
}

// The first item says the controller in use, which the menus inside may
// change, and the voice item the voice in effect.
std::vector<std::string> OptionItems(const Game& game) {
  std::vector<std::string> items;
  for (const char* prompt : kOptionPrompts) items.push_back(ItemWords(prompt));
  for (const int item : {kControllerMode, kVoice}) items[item].append(" ").append(ItemWords(ChoicePrompt(game, item)));
  return items;
}

void OpenOptionsItem(Game& game, int item) {
  switch (item) {
    case kControllerMode: ControllerModeMenu(game); break;
    case kKeyboardMapping: KeyboardMappingMenu(game); break;
    case kVoice: SwitchVoice(game); break;
    default: JoystickMenu(game);
  }
}

}  // namespace

void OptionsMenu(Game& game) {
  MenuOnScreen screen(game, "Options", OptionItems(game));
  screen.Mark(kControllerMode);
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\oselect.wav", 0, true);
  PlayPromptInterruptible(game, ControllerModePrompt(game));
  RestoreMenuMusic(game);
  const auto open = [&](Game& g, int item) {
    if (item == kLeaveOptions) return MenuStep::Leave;
    OpenOptionsItem(g, item);
    screen.Picture().items = OptionItems(g);
    SpeakOptionsItem(g, item);
    return MenuStep::Stay;
  };
  WalkMenu(game, screen,
           {.items = kOptionPrompts.size(),
            .speak = SpeakOptionsItem,
            .keys = {{dik::RETURN, open}, {dik::ESCAPE, LeaveMenu}}});
  SaveSettings(game);
}

void SpeakOptionsItem(Game& game, uint8_t item) {
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  if (ChoicePrompt(game, item)) {
    PlaySound(game, kOptionPrompts[item], 0, true);
    PlayPromptInterruptible(game, ChoicePrompt(game, item));  // the voice in effect after the name was said
    return;
  }
  PlayPromptInterruptible(game, kOptionPrompts[item % kOptionPrompts.size()]);
}

}  // namespace sb
