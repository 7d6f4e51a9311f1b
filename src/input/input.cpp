#include "input/input.h"

#include <utility>

#include "game/game.h"
#include "input/joystick.h"

namespace sb {

namespace {

// Away from the window every key and button reads as let go: the action
// flags fall and every latch opens, as if the player had let go of all.
void LetGoOfEverything(InputState& input) {
  input.keys.fill(0);
  input.keyLatch.fill(false);
  input.stickEscape = false;
  input.joyButtons.fill(0);
  input.buttonLatch.fill(false);
  UpdateActionFlags(input);
}

// A fresh snapshot of the keyboard; false when none could be read (a lost
// keyboard is started afresh for the next poll).
bool ReadKeys(Game& game) {
  switch (game.host.ReadKeyboard(game.input.keys)) {
    case KeyboardRead::Ok:
      game.input.stickEscape = false;  // the stick's marks went with the old snapshot
      return true;
    case KeyboardRead::Lost:
      ReacquireKeyboard(game);
      return false;
    case KeyboardRead::Failed:
      return false;
  }
  return false;
}

}  // namespace

void PollInput(Game& game) {
  InputState& input = game.input;
  const bool hadFocus = std::exchange(input.focused, game.host.Focused());
  if (!input.focused) {
    LetGoOfEverything(input);
    return;
  }
  if (JoystickInUse(game)) PollJoystick(game);
  UpdateActionFlags(input);
  if (ReadKeys(game)) {
    // A latch lasts while its key is down. Written without a branch so the
    // compiler does all 256 keys a vector at a time: this runs twice a pass.
    for (int key = 0; key < 256; ++key) input.keyLatch[key] = input.keyLatch[key] & ((input.keys[key] & 0x80) != 0);
    if (JoystickInUse(game)) PollJoystick(game);
  }
  // Back in focus, the controller is heard as it is now, as the keyboard is.
  if (!hadFocus) JoystickEvent(game);
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
