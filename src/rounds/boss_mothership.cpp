#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "player/laser_gate.h"
#include "rounds/boss.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int16_t kBossStep = 40;
constexpr int16_t kBossTurnRight = 200;  // below this it turns right
constexpr int16_t kBossTurnLeft = 8500;  // above this it turns left
constexpr int32_t kShieldPhase = 3300;   // ms shielded, then ms open
// The laser reaches the ship below the mothership and below a point this far
// to its right, within kLaserReach either side.
constexpr int32_t kLaserOffset = 1160;
constexpr int32_t kLaserReach = 290;
constexpr int32_t kLaserDamageInterval = 300;

bool ShipInLaserReach(const Game& game) {
  const int32_t bossX = game.boss.BossX;
  return WithinReach(game, bossX, kLaserReach) || WithinReach(game, bossX + kLaserOffset, kLaserReach);
}

}  // namespace

void MoveMothership(Game& game) {
  BossState& boss = game.boss;
  if (!game.state.GameActive || !boss.BossAlive) return;
  const int32_t now = game.host.Ticks();
  if (!boss.StepTick.MoreThan(now, boss.StepInterval)) return;
  PlaceBossSound(game, boss.Mothership, boss.BossX);
  if (boss.BossX > kBossTurnLeft) boss.MovingLeft = true;
  if (boss.BossX < kBossTurnRight) {
    boss.MovingLeft = false;
    boss.BossX = static_cast<int16_t>(boss.BossX + kBossStep);
  } else {
    boss.BossX = static_cast<int16_t>(boss.BossX + (boss.MovingLeft ? -kBossStep : kBossStep));
  }
  boss.StepTick.Start(now);
}

void RepanBossSounds(Game& game) {
  BossState& boss = game.boss;
  if (!game.state.GameActive) return;
  PlaceBossSound(game, boss.Mothership, boss.BossX);
  PlaceBossSound(game, boss.Scream, boss.BossX);
  if (boss.BossShieldUp) PlaceBossSound(game, boss.Shield, boss.BossX);
  if (boss.Firing) PlaceBossSound(game, boss.Attack, boss.BossX);
  if (boss.Rolling) {
    PlaceBossSound(game, boss.Roller, boss.RollerX);
  } else if (boss.Landed) {
    boss.Roller.SetPan(boss.RollerX - game.state.ShipX);
  }
}

// Raising the shield breaks off a laser attack.
void CycleBossShield(Game& game) {
  BossState& boss = game.boss;
  if (!game.state.GameActive) return;
  const int32_t now = game.host.Ticks();
  if (!boss.ShieldTick.MoreThan(now, kShieldPhase)) return;
  if (!boss.BossShieldUp) {
    StopSound(boss.Attack);
    boss.Charging = boss.Firing = false;
    PlaceBossSound(game, boss.Shield, boss.BossX);
    boss.BossShieldUp = true;
    RestartSound(boss.Shield);
  } else {
    boss.BossShieldUp = false;
    StopSound(boss.Shield);
  }
  boss.ShieldTick.Start(now);
}

// The charge is heard first; the laser follows when it ends, even if the ship
// has moved away, and burns only a ship in its reach, at most every 300 ms.
void BossAttack(Game& game) {
  GameState& state = game.state;
  BossState& boss = game.boss;
  if (!state.GameActive || boss.BossShieldUp) return;
  const bool near = ShipInLaserReach(game);
  if (near && !boss.Charging && !boss.Firing) {
    boss.Charging = true;
    LoadSound(game, boss.Attack, "sounds/yelpwrup.wav");
    boss.Attack.SetPan(boss.BossX - state.ShipX);
    boss.Attack.Play(false);
  } else if (boss.Charging && !boss.Firing && !boss.Attack.IsPlaying()) {
    boss.Firing = true;
    LoadSound(game, boss.Attack, "sounds/ylwlaser.wav");
    PlaceBossSound(game, boss.Attack, boss.BossX);
    boss.Attack.Play(false);
  }
  if (!boss.Firing) return;
  const int32_t now = game.host.Ticks();
  if (!boss.Attack.IsPlaying()) {
    boss.Firing = boss.Charging = false;
    StopSound(boss.Attack);
    boss.Attack.SetPosition(0);
    boss.DamageTick.Start(now);
  } else if (near && boss.DamageTick.MoreThan(now, kLaserDamageInterval)) {
    PlayRandomShipHit(game);
    boss.DamageTick.Start(now);
    DamagePlayer(game, static_cast<int16_t>(5 * state.Difficulty), ReleaseBoss);
  }
}

}  // namespace sb
