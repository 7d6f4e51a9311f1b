#pragma once
// Lasers, side lasers, missiles, shields, nukes and vapor.

#include <cstdint>

namespace sb {

struct Game;

void FireLasers(Game& game);
// True when a target was found and the missile launched from this slot.
bool LaunchMissile(Game& game, uint8_t slot);
void UpdateMissiles(Game& game);
void DetonateNuke(Game& game);
void ReleaseVapor(Game& game);
// No missile spent and every slot empty.
void ResetMissiles(Game& game);
// Missiles still in flight when a wave ends are lost with it.
void DiscardMissiles(Game& game);

}  // namespace sb
