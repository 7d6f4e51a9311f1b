#pragma once
// The boss round after the last wave of the last level: a mothership that
// shields itself, fires a charged laser and drops rollers, while the ship
// shoots it with its laser and knocks the rollers back with its side lasers.
// The round is run by BossRound (rounds.h) and always ends the game.
// Every routine here does nothing once the round is over (GameActive false).

#include <cstdint>

namespace sb {

struct Game;
class SoundBuffer;

// Loads the round's sounds, announces it, plays the start music to its end,
// then starts the loop music and the mothership.
void SetUpBoss(Game& game);
// One pass of the round's loop once Escape has been looked for.
void BossPass(Game& game);
// The round's controls of one pass: the sheep drop's set without the
// tractor, the lasers aimed at the mothership and the roller, and the
// background keys.
void BossControls(Game& game);
void FireAtBoss(Game& game);
void MoveMothership(Game& game);
void RepanBossSounds(Game& game);
// Raises or lowers the mothership's shield every 3.3 s.
void CycleBossShield(Game& game);
// Charges and fires the mothership's laser at a ship near it.
void BossAttack(Game& game);
void UpdateRoller(Game& game);
// A side laser hits the roller: ten deflections, then it is destroyed.
void HitRoller(Game& game);
// The mothership destroyed: the game is complete.
void BossDefeated(Game& game);
// Stops and releases every sound of the round and the ship's; safe to call
// again. It also ends the round at a game over (DamagePlayer's end of the scene).
void ReleaseBoss(Game& game);

// Every boss sound is heard from its source: quieter the farther it is from
// the ship, and panned toward it.
int32_t BossVolume(const Game& game, int32_t x);
void PlaceBossSound(Game& game, SoundBuffer& sound, int32_t x);

}  // namespace sb
