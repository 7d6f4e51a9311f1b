#pragma once
// The ship: movement, walls, turbo and the placement of every positioned
// sound around the ship (its keys are in controls.h).

namespace sb {

struct Game;

void MoveShip(Game& game);
void UpdateTurbo(Game& game);
void RepositionSounds(Game& game);
// Stops the four thrust sounds and silences all but the loop (wave end, game over).
void StopThrustSounds(Game& game);

}  // namespace sb
