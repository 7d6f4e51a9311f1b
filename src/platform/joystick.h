#pragma once
// Game controllers: found at start-up and whenever one is plugged in or out,
// set up when the player chooses joystick control, and heard through an event
// that turns the controller's state into buttons, action flags and, in the
// menus, emulated arrow, Enter and Escape keys.

namespace sb {

struct Game;

// Counts the attached controllers (the first ten are offered) and their axes and buttons.
void EnumerateJoysticks(Game& game);
// Opens the preferred controller with its dead zone, saturation and range;
// does nothing when no controller is attached (after saying so).
void SetUpJoystick(Game& game);
// False, after "no joystick detected" is spoken, when no controller is attached.
bool JoystickPresent(Game& game);
// Runs whenever the open controller's state changes.
void JoystickEvent(Game& game);
// Part of every input poll while joystick control is chosen.
void PollJoystick(Game& game);

}  // namespace sb
