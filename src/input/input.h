#pragma once
// The keyboard and the action table: one poll refreshes the snapshot of all
// 256 keys, releases the latches of keys let go, and turns keys and joystick
// buttons into the thirteen action flags.

namespace sb {

struct Game;
struct InputState;

// One input poll; every waiting loop, menu pass and game-loop pass calls it.
// While the window is not focused nothing is held: no key or button acts.
void PollInput(Game& game);
// Sets the action flags from the keys and buttons bound to them (the
// snapshot of the previous poll).
void UpdateActionFlags(InputState& input);
// Sets the five modifier flags; true when any of them is down.
bool ReadModifierKeys(InputState& input);
// Starts the keyboard afresh after it was lost: no stale key stays down.
void ReacquireKeyboard(Game& game);

}  // namespace sb
