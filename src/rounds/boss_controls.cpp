#include <cstdlib>
#include <iterator>

#include "aliens/hits.h"
#include "game/game.h"
#include "game/scoring.h"
#include "player/controls.h"
#include "player/laser_gate.h"
#include "rounds/boss.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kBossReach = 870;      // the laser hits the mothership this far either side of it
constexpr int32_t kShieldHitPoints = 2500;
constexpr int32_t kOpenHitPoints = 5000;
constexpr int kOpenHitsPerDifficulty = 25;
constexpr int32_t kBossPitch = 44000;  // hertz, lowered by 100 with every open hit
constexpr const char* kShieldHitSounds[] = {"sounds/cargimp1.wav", "sounds/cargimp2.wav", "sounds/cargimp3.wav"};

// The round stands still while paused: its sounds fall silent and take up
// where they were, and its clocks wait.
void PauseBossRound(Game& game) {
  BossState& boss = game.boss;
  SoundBuffer* const sounds[] = {&boss.LoopMusic, &boss.Mothership, &boss.Scream,  &boss.Shield,    &boss.DirectionChange,
                                 &boss.Attack,    &boss.RollerDrop, &boss.Roller,  &boss.ShieldHit};
  Stopwatch* const clocks[] = {&boss.StepTick, &boss.ShieldTick, &boss.DamageTick, &boss.RollerTick, &boss.RollerStepTick};
  PauseScene(game, sounds, clocks);
}

// An open hit lowers the mothership's pitch; the hit that finds it already
// at 25 times the difficulty destroys it. The points of that hit are paid
// before the final score is spoken.
void HitOpenMothership(Game& game) {
  BossState& boss = game.boss;
  boss.Scream.SetPan(boss.BossX - game.state.ShipX);
  RestartSound(boss.Scream);
  if (boss.BossHits >= kOpenHitsPerDifficulty * game.state.Difficulty) {
    AddScore(game, kOpenHitPoints);
    BossDefeated(game);
    return;
  }
  ++boss.BossHits;
  const int32_t pitch = kBossPitch - 100 * boss.BossHits;
  boss.Mothership.SetFrequency(pitch);
  boss.Shield.SetFrequency(pitch);
  AddScore(game, kOpenHitPoints);
}

// A shot on the raised shield pays and does nothing else.
void HitBossShield(Game& game) {
  BossState& boss = game.boss;
  const auto n = static_cast<size_t>(RandomSpread(game, 1, 3)) - 1;
  LoadSound(game, boss.ShieldHit, kShieldHitSounds[n % std::size(kShieldHitSounds)]);
  boss.ShieldHit.Play(false);
  AddScore(game, kShieldHitPoints);
}

void ShootStraightUp(Game& game) {
  if (WithinReach(game, game.boss.BossX, kBossReach)) {
    if (game.boss.BossShieldUp) {
      HitBossShield(game);
    } else {
      HitOpenMothership(game);
    }
  }
  if (game.saucer.SaucerPresent) HitSaucer(game);
}

// A side laser hits a rolling roller on its own side of the ship.
void ShootSideways(Game& game, Action toward) {
  const int32_t shipX = game.state.ShipX;
  const int32_t rollerX = game.boss.RollerX;
  const bool onThatSide = toward == kMoveLeft ? rollerX < shipX : rollerX > shipX;
  if (game.boss.Rolling && onThatSide) HitRoller(game);
}

}  // namespace

// The rounds' controls without the tractor, with the lasers aimed at the
// mothership and the roller, and with the background keys.
void BossControls(Game& game) {
  PlayerControls(game, {.fire = FireAtBoss, .pause = PauseBossRound, .backgroundKeys = true});
}

void FireAtBoss(Game& game) { FireLaser(game, {.straight = ShootStraightUp, .side = ShootSideways}); }

}  // namespace sb
