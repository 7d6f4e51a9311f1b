#pragma once
// Lasers, side lasers, missiles, shields, nukes and vapor.

#include <cstdint>

namespace sb {

struct Game;

// A pass with the laser or side-laser action held: one volley per press, at
// most one every 100 ms; the side lasers fire toward the directions held.
void FireLasers(Game& game);
// Right after a volley: without rapid fire the laser latches stay set for the
// rest of the pass; with it they are let go (so the next volley follows
// 100 ms later) and the rapid-fire time runs down.
void HoldLaserLatches(Game& game);
// Late in every pass: the latches of lasers no longer held are let go.
void ReleaseLaserLatches(Game& game);

// The missile action: launches from the next slot, or refuses.
void FireMissile(Game& game);
// True when a target was found and the missile launched from this slot.
bool LaunchMissile(Game& game, uint8_t slot);
void UpdateMissiles(Game& game);
// Missiles still in flight when a wave ends are lost with it.
void DiscardMissiles(Game& game);

// The shield action: raises a shield from the stock unless one is up.
void RaiseShield(Game& game);

// The nuke action: warms a nuke up, or refuses.
void ArmNuke(Game& game);
// The pending nuke goes off once its warm-up has been heard to the end.
void DetonatePendingNuke(Game& game);
void DetonateNuke(Game& game);

// The held vapor action: asks for a release, which waits for the vapor sound.
void RequestVapor(Game& game);
void ReleaseVapor(Game& game);

}  // namespace sb
