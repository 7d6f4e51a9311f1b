#pragma once
// The ship: in-game keys and actions, movement, walls, turbo and the
// placement of every positioned sound around the ship.

namespace sb {

struct Game;

void HandlePlayerControls(Game& game);
void MoveShip(Game& game);
void UpdateTurbo(Game& game);
void RepositionSounds(Game& game);
// Stops the four thrust sounds and silences all but the loop (wave end, game over).
void StopThrustSounds(Game& game);

}  // namespace sb
