#pragma once
// Lasers, side lasers, missiles, shields, nukes and vapor.

#include <cstdint>

namespace sb {

struct Game;

// A wave's pass with the laser or side-laser action held: the laser
// (laser_gate.h) aimed at the aliens and the saucer.
void FireLasers(Game& game);

// The missile action: launches from the next slot, or refuses.
void FireMissile(Game& game);
// True when a target was found and the missile launched from this slot.
bool LaunchMissile(Game& game, uint8_t slot);
void UpdateMissiles(Game& game);
// Missiles still in flight when a wave ends are lost with it.
void DiscardMissiles(Game& game);

// The shield action: raises a shield from the stock unless one is up.
void RaiseShield(Game& game);
// Every pass of every scene: the shield is up as long as its sound plays.
void LowerShieldWhenSilent(Game& game);

// The nuke action: warms a nuke up, or refuses.
void ArmNuke(Game& game);
// The pending nuke goes off once its warm-up has been heard to the end.
void DetonatePendingNuke(Game& game);
void DetonateNuke(Game& game);

// The held vapor action: asks for a release while the vapor sound is silent,
// so one tap spends one charge and a held key one after another.
void RequestVapor(Game& game);
void ReleaseVapor(Game& game);

}  // namespace sb
