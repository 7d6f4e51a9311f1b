#include "player/weapons.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void FireLasers(Game&) {}
bool LaunchMissile(Game&, uint8_t) { return false; }
void UpdateMissiles(Game&) {}
void DetonateNuke(Game&) {}
void ReleaseVapor(Game&) {}
void ResetMissiles(Game&) {}
void DiscardMissiles(Game&) {}

}  // namespace sb
