#include "game/game.h"
#include "menus/menus.h"

namespace sb {

// Not written yet: the joystick menus are not offered, and their items only
// announce themselves again.
void ControllerModeMenu(Game&) {}
void JoystickMenu(Game&) {}

}  // namespace sb
