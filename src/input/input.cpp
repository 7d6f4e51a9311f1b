#include "input/input.h"

#include "game/game.h"
#include "input/joystick.h"

namespace sb {

void PollInput(Game& game) {
  InputState& input = game.input;
  if (JoystickInUse(game)) PollJoystick(game);
  UpdateActionFlags(input);
  switch (game.host.ReadKeyboard(input.keys)) {
    case KeyboardRead::Ok:
      break;
    case KeyboardRead::Lost:
      ReacquireKeyboard(game);
      return;
    case KeyboardRead::Failed:
      return;
  }
  // A latch lasts while its key is down. Written without a branch so the
  // compiler does all 256 keys a vector at a time: this runs twice a pass.
  for (int key = 0; key < 256; ++key) input.keyLatch[key] = input.keyLatch[key] & ((input.keys[key] & 0x80) != 0);
  if (JoystickInUse(game)) PollJoystick(game);
}

void UpdateActionFlags(InputState& input) {
  for (int a = 0; a < kActionCount; ++a) {
    ActionRecord& action = input.actions[a];
    const bool keyDown = KeyDown(input, action.key);
    const bool buttonDown = ButtonDown(input, action.button);
    const bool keyFresh = keyDown && !input.keyLatch[action.key];
    // A held laser or side-laser button keeps firing; everything else acts once per press.
    const bool continuous = a == kLaser || a == kSideLaser;
    const bool buttonFresh = buttonDown && (continuous || !input.buttonLatch[action.button]);
    if (keyFresh || buttonFresh) action.active = true;
    if (!keyDown && !buttonDown) {
      action.active = false;
      if (a >= kFireMissile) input.actionLatch[a] = false;
    }
  }
}

bool ReadModifierKeys(InputState& input) {
  ModifierFlags& m = input.modifiers;
  m.leftCtrl = KeyDown(input, dik::LCONTROL);
  m.rightCtrl = KeyDown(input, dik::RCONTROL);
  m.alt = KeyDown(input, dik::LMENU) || KeyDown(input, dik::RMENU);
  m.leftShift = KeyDown(input, dik::LSHIFT);
  m.rightShift = KeyDown(input, dik::RSHIFT);
  return m.leftCtrl || m.rightCtrl || m.alt || m.leftShift || m.rightShift;
}

void ReacquireKeyboard(Game& game) { game.host.ReacquireKeyboard(); }

}  // namespace sb
