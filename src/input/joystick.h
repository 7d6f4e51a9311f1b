#pragma once
// Game controllers: found at start-up and whenever one is plugged in or out,
// set up when the player chooses joystick control, and heard through an event
// that turns the controller's state into buttons, action flags and, in the
// menus, emulated arrow, Enter and Escape keys.

#include "platform/host.h"

namespace sb {

struct Game;

// Counts the attached controllers (the first ten are offered) and their axes
// and buttons, and starts listening for the controllers' changes.
void EnumerateJoysticks(Game& game);
// Opens the preferred controller with its dead zone, saturation and range;
// does nothing when no controller is attached (after saying so). From now on
// a controller plugged in while none is open is taken up.
void SetUpJoystick(Game& game);
// False, after "no joystick detected" is spoken, when no controller is attached.
bool JoystickPresent(Game& game);
// Reads the open controller and acts on its state: the stick's four virtual
// buttons, the controller's buttons, the action flags and their latches and,
// outside a game, the emulated keys.
void JoystickEvent(Game& game);
// What the host's notices run from Yield: a changed state runs JoystickEvent
// when the reading differs from the last one acted on (a stick trembling in
// its dead zone changes nothing), and not at all while the window is not
// focused; plugging and unplugging counts the controllers again and keeps
// one open while joystick control is in use.
void JoystickNotice(Game& game, JoystickChange change);
// Joystick control is chosen and a controller is attached.
bool JoystickInUse(const Game& game);
// Part of every input poll while joystick control is chosen.
void PollJoystick(Game& game);

}  // namespace sb
