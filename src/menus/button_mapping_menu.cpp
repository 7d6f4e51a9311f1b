#include <array>
#include <string>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "menus/joystick_menus.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr std::array<const char*, 4> kDirections = {"system\\menu\\up.wav", "system\\menu\\down.wav",
                                                    "system\\menu\\left.wav", "system\\menu\\right.wav"};

bool IsStickDirection(uint8_t index) { return index >= kStickUp && index <= kStickRight; }

// Escape during the wait keeps the old button and writes nothing.
void BindButton(Game& game, Action action) {
  const std::optional<uint8_t> button = CaptureJoystickButton(game);
  if (!button) return;
  game.input.actions[action].button = *button;
  SaveSettings(game);
  CheckDuplicateKey(game, *button, BindingKind::Button);
}

void RestoreDefaultButtons(Game& game) {
  for (int a = 0; a < kActionCount; ++a) game.input.actions[a].button = kDefaultButtons[a];
  SaveSettings(game);
  PlaySound(game, "system\\menu\\defmap.wav", 0, true);
}

void SpeakBoundButton(Game& game, Action action) { SpeakButtonName(game, game.input.actions[action].button); }

// "Button 3", or the stick's direction ("stick up") for its four virtual buttons.
std::string BoundButtonWords(const Game& game, Action action) {
  const uint8_t index = game.input.actions[action].button;
  if (IsStickDirection(index)) return ItemWords(kDirections[index - kStickUp]);
  return ItemWords("system\\menu\\button.wav") + " " + std::to_string(index + 1);
}

}  // namespace

void ButtonMappingMenu(Game& game) {
  WalkBindingMenu(game, {"Button mapping", "system\\menu\\jselect.wav", BindButton, RestoreDefaultButtons,
                         "system\\menu\\mapto.wav", SpeakBoundButton, BoundButtonWords});
}

void SpeakButtonName(Game& game, uint8_t index) {
  PlaySound(game, "system\\menu\\button.wav", 0, true);
  if (IsStickDirection(index)) {
    PlaySound(game, kDirections[index - kStickUp], 0, true);
  } else {
    SpeakNumber(game, index + 1);
  }
}

std::optional<uint8_t> CaptureJoystickButton(Game& game) {
  InputState& input = game.input;
  input.joyButtons.fill(0);
  for (;;) {
    MenuPass(game);
    for (int b = 0; b < kJoyButtonCount; ++b) {
      if (!input.joyButtons[b]) continue;
      const auto button = static_cast<uint8_t>(b);
      // The keys the press also stands for in the menus (the stick's left is
      // Escape, the first buttons Enter) are used up by the capture.
      for (int key = 0; key < 256; ++key) {
        if (KeyDown(input, static_cast<uint8_t>(key))) input.keyLatch[key] = true;
      }
      SpeakButtonName(game, button);
      return button;
    }
    if (TakeKey(input, dik::ESCAPE)) return std::nullopt;
  }
}

}  // namespace sb
