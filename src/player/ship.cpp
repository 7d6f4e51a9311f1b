#include "player/ship.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void HandlePlayerControls(Game&) {}
void MoveShip(Game&) {}
void UpdateTurbo(Game&) {}
void RepositionSounds(Game&) {}
void StopThrustSounds(Game&) {}

}  // namespace sb
