#pragma once
// What the input routines keep between polls: the keyboard snapshot, the
// latches that make one press act once, the modifier flags, the joystick's
// buttons and the thirteen-action table.

#include <array>
#include <cstdint>

#include "platform/dik.h"
#include "platform/host.h"

namespace sb {

// The player's actions, in the fixed order of the action table and the key map.
enum Action : uint8_t {
  kMoveLeft = 0,
  kMoveRight = 1,
  kLaser = 2,
  kSideLaser = 3,
  kFireMissile = 4,
  kShields = 5,
  kUseNuke = 6,
  kVapor = 7,
  kSuper = 8,
  kTractor = 9,
  kEnergyReport = 10,
  kLevelWaveReport = 11,
  kScoreReport = 12,
};
constexpr int kActionCount = 13;

// Joystick button indexes: 0..31 the controller's own, then the stick as four
// virtual buttons; 36 is never set.
constexpr int kJoyButtonCount = 37;
constexpr uint8_t kStickUp = 32, kStickDown = 33, kStickLeft = 34, kStickRight = 35;

struct ActionRecord {
  bool active = false;  // the state flag: true while the action is wanted
  uint8_t key = 0;      // DirectInput key code
  uint8_t button = 0;   // joystick button index 0..36
};

struct ModifierFlags {
  bool leftCtrl = false;
  bool rightCtrl = false;
  bool alt = false;
  bool leftShift = false;
  bool rightShift = false;
};

// The controller in use, as the joystick routines see it.
constexpr int kMaxJoysticks = 10;
struct JoystickState {
  int32_t count = 0;                                // attached controllers offered (the first ten)
  std::array<int32_t, kMaxJoysticks> axes{};        // per controller 1..10 (index 0 is controller 1)
  std::array<int32_t, kMaxJoysticks> buttons{};
  bool setUpRequested = false;                      // joystick control was chosen; plugged controllers are opened
  bool deviceOpen = false;                          // SetUpJoystick ran and found the device
  std::array<bool, 8> axisPresent{};                // X, Y, Z, Rx, Ry, Rz, slider, slider
  std::array<int32_t, 8> axis{5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000};  // last read: 0..10000
  std::array<int32_t, 4> pov{-1, -1, -1, -1};       // last state read: hundredths of a degree, -1 centred
  std::array<uint8_t, 32> rawButtons{};             // last state read: 0x80 while down
};

struct InputState {
  KeyboardState keys{};                             // top bit set while a key is down
  std::array<bool, 256> keyLatch{};                 // set by whoever acted on a press
  ModifierFlags modifiers;
  std::array<uint8_t, kJoyButtonCount> joyButtons{};  // 0 or 1
  std::array<bool, kJoyButtonCount> buttonLatch{};
  std::array<ActionRecord, kActionCount> actions{};
  std::array<bool, kActionCount> actionLatch{};
  JoystickState joystick;
  bool joystickTest = false;                        // the joystick test screen is running
  bool focused = true;                              // the window had the focus at the last poll
  bool stickEscape = false;                         // the Escape in the snapshot is the stick's push
};

inline bool KeyDown(const InputState& input, uint8_t key) { return (input.keys[key] & 0x80) != 0; }
// An action's flag: set while its key or button is held.
inline bool Held(const InputState& input, Action action) { return input.actions[action].active; }
// Down and not yet acted on.
inline bool KeyPressed(const InputState& input, uint8_t key) { return KeyDown(input, key) && !input.keyLatch[key]; }
// A one-shot action: true once per press, and the press is used up.
inline bool TakeAction(InputState& input, Action action) {
  if (!input.actions[action].active || input.actionLatch[action]) return false;
  input.actionLatch[action] = true;
  return true;
}
// Acts on a fresh press once: true when the key is pressed, and its latch is
// set so that nothing else acts on the same press.
inline bool TakeKey(InputState& input, uint8_t key) {
  if (!KeyPressed(input, key)) return false;
  input.keyLatch[key] = true;
  return true;
}
inline bool ButtonDown(const InputState& input, uint8_t button) {
  return button < kJoyButtonCount && input.joyButtons[button] != 0;
}
inline bool AnyButtonDown(const InputState& input) {
  for (uint8_t b : input.joyButtons) {
    if (b) return true;
  }
  return false;
}

// The default keys and joystick buttons of the thirteen actions.
constexpr std::array<uint8_t, kActionCount> kDefaultKeys = {dik::LEFT,  dik::RIGHT, dik::LCONTROL, dik::LMENU, dik::SPACE,
                                                            dik::UP,    dik::RETURN, dik::TAB,     dik::LSHIFT, dik::SPACE,
                                                            dik::END,   dik::W,     dik::S};
constexpr std::array<uint8_t, kActionCount> kDefaultButtons = {kStickLeft, kStickRight, 1, 2, 0, kStickUp, 3, 4,
                                                               kStickDown, kStickUp,    5, 6, 7};

}  // namespace sb
