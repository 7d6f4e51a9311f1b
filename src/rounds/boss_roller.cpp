#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "player/laser_gate.h"
#include "rounds/boss.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int16_t kRollerDropOffset = 870;  // it lands this far to the right of the mothership
constexpr int16_t kRollerTurnRight = 100;
constexpr int16_t kRollerTurnLeft = 9800;
constexpr int32_t kRollerBlastReach = 180;
constexpr int16_t kRollerDamage = 10;
constexpr uint8_t kDeflections = 10;  // side-laser hits it takes before the next one destroys it

// A roller comes 10 s after the last one ended on Easy, 7 s on Medium, 4 s on Hard.
int32_t RollerInterval(const Game& game) { return 10000 - 3000 * (game.state.Difficulty - 1); }
int32_t RollerStepInterval(const Game& game) { return 20 - 2 * (game.state.Difficulty - 1); }
int16_t RollerStep(const Game& game) { return static_cast<int16_t>(10 * game.state.Difficulty + 40); }

bool NoRoller(const BossState& boss) { return !boss.Dropping && !boss.Landed && !boss.Rolling; }

// The roller's buffer now holds its explosion; the next roller comes the
// full interval after this one.
void BlowUpRoller(Game& game, int32_t volume) {
  BossState& boss = game.boss;
  LoadSound(game, boss.Roller, "sounds/explode.wav");
  boss.Roller.SetVolume(volume);
  boss.Roller.SetPan(boss.RollerX - game.state.ShipX);
  boss.Roller.Play(false);
  boss.Dropping = boss.Landed = boss.Rolling = false;
  boss.RollerTick.Start(game.host.Ticks());
}

void DropRoller(Game& game) {
  BossState& boss = game.boss;
  PlaceBossSound(game, boss.RollerDrop, boss.BossX);
  RestartSound(boss.RollerDrop);
  boss.Dropping = true;
  boss.RollerX = static_cast<int16_t>(boss.BossX + kRollerDropOffset);
  LoadSound(game, boss.Roller, "sounds/rollhit.wav");
}

void StartRolling(Game& game) {
  BossState& boss = game.boss;
  boss.Rolling = true;
  LoadSound(game, boss.Roller, "sounds/roller.wav");
  PlaceBossSound(game, boss.Roller, boss.RollerX);
  boss.Roller.Play(true);
}

// One step along the ground, turning back at either end.
void RollOn(Game& game) {
  BossState& boss = game.boss;
  const int16_t step = RollerStep(game);
  if (boss.RollerX > kRollerTurnLeft) boss.RollerLeft = true;
  if (boss.RollerX < kRollerTurnRight) {
    boss.RollerLeft = false;
    boss.RollerX = static_cast<int16_t>(boss.RollerX + step);
  } else {
    boss.RollerX = static_cast<int16_t>(boss.RollerX + (boss.RollerLeft ? -step : step));
  }
  PlaceBossSound(game, boss.Roller, boss.RollerX);
}

// The roller reaches the ship: it explodes there, and the ship feels it
// like a crash into a wall.
void ExplodeAtShip(Game& game) {
  BlowUpRoller(game, BossVolume(game, game.boss.RollerX));
  GameSounds& sounds = game.sounds;
  RestartSound(sounds.sideHit[static_cast<size_t>(RandomSpread(game, 0, 6)) % sounds.sideHit.size()]);
  DamagePlayer(game, kRollerDamage, ReleaseBoss);
}

}  // namespace

void UpdateRoller(Game& game) {
  BossState& boss = game.boss;
  if (!game.state.GameActive) return;
  const int32_t now = game.host.Ticks();
  if (NoRoller(boss) && boss.RollerTick.MoreThan(now, RollerInterval(game))) DropRoller(game);
  if (boss.Dropping && !boss.Landed && !boss.RollerDrop.IsPlaying()) {
    boss.Landed = true;
    PlaceBossSound(game, boss.Roller, boss.RollerX);
    boss.Roller.Play(false);
  }
  if (boss.Landed && !boss.Rolling && !boss.Roller.IsPlaying()) StartRolling(game);
  if (!boss.Rolling || !boss.BossAlive || !boss.RollerStepTick.MoreThan(now, RollerStepInterval(game))) return;
  RollOn(game);
  if (WithinReach(game, boss.RollerX, kRollerBlastReach)) ExplodeAtShip(game);
  boss.RollerStepTick.Start(now);
}

void HitRoller(Game& game) {
  BossState& boss = game.boss;
  if (boss.RollerHits >= kDeflections) {
    BlowUpRoller(game, kVolumeMax);
    return;
  }
  ++boss.RollerHits;
  PlaceBossSound(game, boss.DirectionChange, boss.RollerX);
  RestartSound(boss.DirectionChange);
  boss.RollerLeft = !boss.RollerLeft;
}

}  // namespace sb
