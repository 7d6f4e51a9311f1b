#include <array>

#include "game/game.h"
#include "menus/joystick_menus.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "platform/settings.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The items are the keyboard mapping menu's: its item 9 binds the shields
// (action 5), item 5 the nuke (action 6).
constexpr std::array<Action, kActionCount> kItemActions = {
    kMoveLeft, kMoveRight, kLaser,   kSideLaser,   kFireMissile,     kUseNuke,    kVapor,
    kSuper,    kTractor,   kShields, kEnergyReport, kLevelWaveReport, kScoreReport};
constexpr uint8_t kDefaultItem = 13;
constexpr uint8_t kLeaveItem = 14;

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

}  // namespace

void ButtonMappingMenu(Game& game) {
  uint8_t item = 0;
  bool stay = true;
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\jselect.wav");
  while (stay) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      item = PreviousItem(item, 0, kLeaveItem);
      SpeakKeymapItem(game, item);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      item = NextItem(item, 0, kLeaveItem);
      SpeakKeymapItem(game, item);
    }
    if (TakeKey(game.input, dik::S) && item < kActionCount) {
      SpeakButtonName(game, game.input.actions[kItemActions[item]].button);
    }
    if (TakeKey(game.input, dik::RETURN)) {
      if (item < kLeaveItem) PlaySound(game, "system\\menu\\mapto.wav", 0, true);
      if (item < kActionCount) {
        BindButton(game, kItemActions[item]);
      } else if (item == kDefaultItem) {
        RestoreDefaultButtons(game);
      } else {
        stay = false;
      }
      if (stay) SpeakKeymapItem(game, item);
    }
    if (TakeKey(game.input, dik::ESCAPE)) stay = false;
  }
  RestoreMenuMusic(game);
}

void SpeakButtonName(Game& game, uint8_t index) {
  static constexpr std::array<const char*, 4> kDirections = {"system\\menu\\up.wav", "system\\menu\\down.wav",
                                                             "system\\menu\\left.wav", "system\\menu\\right.wav"};
  PlaySound(game, "system\\menu\\button.wav", 0, true);
  if (index >= kStickUp && index <= kStickRight) {
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
