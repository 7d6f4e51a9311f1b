#pragma once
// The joystick side of the options: which controller, digital or analog
// movement, the buttons of the thirteen actions and the test screen.
// SelectJoystickMenu and MovementModeMenu end in a fresh joystick menu nested
// in the one that opened them.

#include <cstdint>
#include <optional>

namespace sb {

struct Game;

void SelectJoystickMenu(Game& game);
void MovementModeMenu(Game& game);
// Starts at its first item with its opening prompt.
void ButtonMappingMenu(Game& game);
// The beep follows the stick, buttons restart the laser; only Escape leaves.
void JoystickTest(Game& game);

void SpeakJoystickMenuItem(Game& game, uint8_t item);
// Controller n (1-based): its number, axis count and button count.
void SpeakJoystickInfo(Game& game, uint8_t n);
// "Button" and the number 1..32, or the stick's direction for 32..35.
void SpeakButtonName(Game& game, uint8_t index);
// Waits for a button or a push of the stick and names it; nothing when the
// Escape key cancels the wait.
std::optional<uint8_t> CaptureJoystickButton(Game& game);

}  // namespace sb
