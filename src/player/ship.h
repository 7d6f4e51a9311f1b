#pragma once
// The ship: in-game keys and actions, movement, walls, turbo and the
// placement of every positioned sound around the ship.

namespace sb {

struct Game;

// Every in-game key and action of one pass of the game loop.
void HandlePlayerControls(Game& game);
// The Down arrow or the stick pushed down: one ping from where the ship is,
// never restarted while it still sounds.
void LocateShip(Game& game);
void MoveShip(Game& game);
void UpdateTurbo(Game& game);
void RepositionSounds(Game& game);
// Stops the four thrust sounds and silences all but the loop (wave end, game over).
void StopThrustSounds(Game& game);

}  // namespace sb
