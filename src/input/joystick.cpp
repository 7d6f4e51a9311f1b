#include "input/joystick.h"

#include <algorithm>

#include "game/game.h"
#include "platform/joystick_axes.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The stick counts as pushed beyond these, on the 0..10000 scale.
constexpr int32_t kPushedLow = 4000;
constexpr int32_t kPushedHigh = 6000;
// Back between these, the stick releases its up and down latches.
constexpr int32_t kRestLow = 4101;
constexpr int32_t kRestHigh = 5900;

constexpr int kX = 0, kY = 1;

void ListenForJoysticks(Game& game) {
  game.host.SetJoystickListener([&game](JoystickChange change) { JoystickNotice(game, change); });
}

bool IsJoyButton(uint8_t button) { return button < kJoyButtonCount; }

void StoreReading(JoystickState& js, const JoystickReading& reading) {
  js.axis = reading.axis;
  js.pov = reading.pov;
  js.rawButtons = reading.buttons;
}

JoystickReading StoredReading(const JoystickState& js) {
  JoystickReading reading;
  reading.axis = js.axis;
  reading.pov = js.pov;
  reading.buttons = js.rawButtons;
  return reading;
}

// The first ten attached controllers are offered, with their axes and buttons.
void CountJoysticks(Game& game) {
  JoystickState& js = game.input.joystick;
  const int attached = std::max(0, game.host.JoystickCount());
  js.count = std::min(attached, kMaxJoysticks);
  js.axes.fill(0);
  js.buttons.fill(0);
  for (int i = 0; i < js.count; ++i) {
    const JoystickInfo info = game.host.Joystick(i);
    js.axes[i] = info.axes;
    js.buttons[i] = info.buttons;
  }
}

// A controller that is gone lets go of everything it held.
void ReleaseJoystick(Game& game) {
  InputState& input = game.input;
  JoystickState& js = input.joystick;
  js.deviceOpen = false;
  js.axisPresent.fill(false);
  js.axis.fill(5000);
  js.pov.fill(-1);
  js.rawButtons.fill(0);
  input.joyButtons.fill(0);
  input.buttonLatch.fill(false);
}

// Opens the preferred controller (the first when the preferred one is not
// attached) and takes its present state as the starting point, without
// acting on it. The buttons and latches stay as they were: the button that
// chose joystick control in a menu, still held, does not press again.
bool OpenPreferredJoystick(Game& game) {
  JoystickState& js = game.input.joystick;
  if (js.count <= 0) return false;
  const int preferred = game.player.preferredJoystick;
  const int index = preferred >= 1 && preferred <= js.count ? preferred : 1;
  if (!game.host.OpenJoystick(index - 1)) {
    ReleaseJoystick(game);
    return false;
  }
  js.deviceOpen = true;
  RawJoystickState raw;
  if (game.host.ReadJoystick(raw) == JoystickRead::Ok) {
    js.axisPresent = raw.axisPresent;
    StoreReading(js, MapJoystickState(raw, StickAxisProperties()));
  }
  return true;
}

// After a controller was plugged in or out: count again, and when joystick
// control is in use keep a controller open.
void RefreshJoysticks(Game& game) {
  JoystickState& js = game.input.joystick;
  CountJoysticks(game);
  if (js.deviceOpen) {
    RawJoystickState raw;
    if (game.host.ReadJoystick(raw) != JoystickRead::Lost) return;
    ReleaseJoystick(game);
  }
  if (js.setUpRequested) OpenPreferredJoystick(game);
}

// The event proper, on the reading just stored.
void ApplyJoystickState(Game& game) {
  InputState& input = game.input;
  JoystickState& js = input.joystick;
  auto& buttons = input.joyButtons;
  auto& latch = input.buttonLatch;
  const bool inMenus = !game.state.GameActive;
  auto setLatch = [&](uint8_t button) {
    if (IsJoyButton(button)) latch[button] = true;
  };

  // Actions 10 to 12 are the keyboard's alone.
  for (int a = kMoveLeft; a <= kTractor; ++a) input.actions[a].active = false;

  for (int b = 0; b < 32; ++b) buttons[b] = (js.rawButtons[b] & 0x80) ? 1 : 0;

  // The stick: left is Escape in the menus (but not on the test screen, which
  // only the Escape key leaves) and move-left in a game.
  const int32_t x = js.axis[kX];
  const int32_t y = js.axis[kY];
  if (x < kPushedLow) {
    setLatch(input.actions[kMoveLeft].button);
    buttons[kStickLeft] = 1;
    if (inMenus && !input.joystickTest) {
      input.keys[dik::ESCAPE] = 0x80;
      input.stickEscape = true;
    }
  } else {
    buttons[kStickLeft] = 0;
  }
  if (x > kPushedHigh) {
    setLatch(input.actions[kMoveRight].button);
    buttons[kStickRight] = 1;
    if (inMenus) input.keys[dik::RIGHT] = 0x80;
  } else {
    buttons[kStickRight] = 0;
  }
  if (y < kPushedLow) {
    buttons[kStickUp] = 1;
    if (inMenus) input.keys[dik::UP] = 0x80;
  } else {
    buttons[kStickUp] = 0;
  }
  if (y > kPushedHigh) {
    buttons[kStickDown] = 1;
    if (inMenus) input.keys[dik::DOWN] = 0x80;
  } else {
    buttons[kStickDown] = 0;
  }

  // The first two buttons are Enter in the menus, once per press.
  if (inMenus && ((buttons[0] && !latch[0]) || (buttons[1] && !latch[1]))) input.keys[dik::RETURN] = 0x80;

  // A press acts once; the laser's held button keeps firing through the
  // action flags of the next poll, which ignore the latch for it. Super takes
  // the press even without a turbo stock, so that it cannot slip through as a
  // fresh press on the next poll.
  for (int a = kLaser; a <= kTractor; ++a) {
    const uint8_t b = input.actions[a].button;
    if (!IsJoyButton(b) || !buttons[b] || latch[b]) continue;
    latch[b] = true;
    if (a != kSuper || game.state.TurboAvailable) input.actions[a].active = true;
  }

  // Up and down stay latched until the stick is back near the middle.
  if (y < kPushedLow) {
    buttons[kStickUp] = 1;
    buttons[kStickDown] = 0;
  } else if (y > kPushedHigh) {
    buttons[kStickUp] = 0;
    buttons[kStickDown] = 1;
  }
  if (y >= kRestLow && y < kRestHigh) {
    latch[kStickUp] = false;
    latch[kStickDown] = false;
  }

  latch[kStickLeft] = false;
  latch[kStickRight] = false;
  for (int b = 0; b < 32; ++b) {
    if (!buttons[b]) latch[b] = false;
  }
}

// Reads the open controller. False when there is nothing to act on: no
// controller open, or it was just unplugged (then another is looked for), or
// `onlyChanges` and the reading is the one already acted on.
bool TakeReading(Game& game, bool onlyChanges) {
  JoystickState& js = game.input.joystick;
  if (!js.deviceOpen) return false;
  RawJoystickState raw;
  switch (game.host.ReadJoystick(raw)) {
    case JoystickRead::Ok:
      break;
    case JoystickRead::Lost:
      ReleaseJoystick(game);
      RefreshJoysticks(game);
      return false;
    case JoystickRead::Failed:
      return !onlyChanges;  // goes on with the last reading
  }
  const JoystickReading reading = MapJoystickState(raw, StickAxisProperties());
  if (onlyChanges && reading == StoredReading(js)) return false;
  js.axisPresent = raw.axisPresent;
  StoreReading(js, reading);
  return true;
}

}  // namespace

bool JoystickInUse(const Game& game) { return game.input.joystick.count > 0 && game.player.controllerMode == 1; }

void EnumerateJoysticks(Game& game) {
  CountJoysticks(game);
  ListenForJoysticks(game);
}

bool JoystickPresent(Game& game) {
  if (game.input.joystick.count > 0) return true;
  PlaySound(game, "system\\menu\\nojoystickdetected.wav", 0, true);
  return false;
}

void SetUpJoystick(Game& game) {
  // Chosen now, a controller plugged in later is still taken up.
  game.input.joystick.setUpRequested = true;
  ListenForJoysticks(game);
  if (!JoystickPresent(game)) return;
  if (game.player.preferredJoystick == 0) game.player.preferredJoystick = 1;
  OpenPreferredJoystick(game);
}

void JoystickEvent(Game& game) {
  if (TakeReading(game, false)) ApplyJoystickState(game);
}

void JoystickNotice(Game& game, JoystickChange change) {
  if (change == JoystickChange::Devices) {
    RefreshJoysticks(game);
    return;
  }
  // Away from the window the controller is not heard; the poll that finds
  // the focus back hears it as it is then.
  if (!game.input.focused || !game.host.Focused()) return;
  if (TakeReading(game, true)) ApplyJoystickState(game);
}

// The controller's changes reach the program through Yield, as they happen;
// a poll has nothing to add.
void PollJoystick(Game&) {}

}  // namespace sb
