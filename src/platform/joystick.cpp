#include "platform/joystick.h"

#include "game/game.h"

namespace sb {

void EnumerateJoysticks(Game& game) { game.input.joystick.count = 0; }
void SetUpJoystick(Game&) {}
bool JoystickPresent(Game& game) { return game.input.joystick.count > 0; }
void JoystickEvent(Game&) {}
void PollJoystick(Game&) {}

}  // namespace sb
