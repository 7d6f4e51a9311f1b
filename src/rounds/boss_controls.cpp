#include <cstdlib>
#include <iterator>

#include "aliens/hits.h"
#include "game/game.h"
#include "game/high_score.h"
#include "game/scoring.h"
#include "input/input.h"
#include "player/ship.h"
#include "player/weapons.h"
#include "rounds/boss.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kLaserInterval = 100;  // ms between two shots
constexpr int32_t kBossReach = 870;      // the laser hits the mothership this far either side of it
constexpr int32_t kShieldHitPoints = 2500;
constexpr int32_t kOpenHitPoints = 5000;
constexpr int kOpenHitsPerDifficulty = 25;
constexpr int32_t kBossPitch = 44000;  // hertz, lowered by 100 with every open hit
constexpr const char* kShieldHitSounds[] = {"sounds/cargimp1.wav", "sounds/cargimp2.wav", "sounds/cargimp3.wav"};

bool Held(const Game& game, Action action) { return game.input.actions[action].active; }

// The round stands still while paused: its sounds fall silent and take up
// where they were, and its clocks wait.
void PauseBossRound(Game& game) {
  BossState& boss = game.boss;
  SoundBuffer* const sounds[] = {&boss.LoopMusic, &boss.Mothership, &boss.Scream,  &boss.Shield,    &boss.DirectionChange,
                                 &boss.Attack,    &boss.RollerDrop, &boss.Roller,  &boss.ShieldHit};
  uint32_t status[std::size(sounds)] = {};
  for (size_t i = 0; i < std::size(sounds); ++i) {
    status[i] = sounds[i]->Status();
    StopSound(*sounds[i]);
  }
  const int32_t start = game.host.Ticks();
  PauseGame(game);
  game.input.keyLatch[dik::P] = KeyDown(game.input, dik::P);  // the P that resumed is no new press
  for (size_t i = 0; i < std::size(sounds); ++i) {
    if (status[i] & kStatusPlaying) sounds[i]->Play((status[i] & kStatusLooping) != 0);
  }
  const int32_t paused = game.host.Ticks() - start;
  for (int32_t* tick : {&boss.StepTick, &boss.ShieldTick, &boss.DamageTick, &boss.RollerTick, &boss.RollerStepTick}) {
    *tick += paused;
  }
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
  RestartSound(game.sounds.laser);
  if (std::abs(game.state.ShipX - game.boss.BossX) <= kBossReach) {
    if (game.boss.BossShieldUp) {
      HitBossShield(game);
    } else {
      HitOpenMothership(game);
    }
  }
  if (game.saucer.SaucerPresent) HitSaucer(game);
}

// A side laser hits a rolling roller on its own side of the ship.
void ShootSideways(Game& game, Action direction, bool& latch, SoundBuffer& sound, bool rollerOnThatSide) {
  if (!Held(game, direction) || latch) return;
  latch = true;
  RestartSound(sound);
  if (game.boss.Rolling && rollerOnThatSide) HitRoller(game);
}

}  // namespace

// The sheep drop's controls without the tractor, with the lasers aimed at
// the mothership and the roller, and with the background keys.
void BossControls(Game& game) {
  GameState& state = game.state;
  if (!state.GameActive) return;
  InputState& input = game.input;
  PollInput(game);
  ReadModifierKeys(input);
  LocateShip(game);
  if (TakeAction(input, kScoreReport)) SpeakScore(game);
  if (TakeKey(input, dik::P)) PauseBossRound(game);
  if (TakeAction(input, kLevelWaveReport)) SpeakLevelAndWave(game);
  if (TakeKey(input, dik::H)) SpeakHighScore(game);
  if (TakeAction(input, kShields)) RaiseShield(game);
  if (Held(game, kLaser) || Held(game, kSideLaser)) {
    FireAtBoss(game);
    if (!state.GameActive) return;  // the mothership is destroyed
    HoldLaserLatches(game);
  }
  ReleaseLaserLatches(game);
  if (TakeAction(input, kEnergyReport)) SpeakNumber(game, state.Energy);
  HandleBackgroundKeys(game);
}

// One shot per press, at most one every 100 ms, as in a wave.
void FireAtBoss(Game& game) {
  if (!game.state.GameActive) return;
  WeaponsState& weapons = game.weapons;
  const int32_t now = game.host.Ticks();
  const bool ready = now - weapons.LastShotTick > kLaserInterval;
  if (!game.input.modifiers.alt && !Held(game, kSideLaser)) {
    if (weapons.LaserLatch) return;
    weapons.LaserLatch = true;  // a press too soon after the last shot is used up unfired
    if (!ready) return;
    ShootStraightUp(game);
  } else {
    if (!ready) return;
    const int32_t shipX = game.state.ShipX;
    const int32_t rollerX = game.boss.RollerX;
    ShootSideways(game, kMoveLeft, weapons.LeftLaserLatch, game.sounds.laserLeft, rollerX < shipX);
    ShootSideways(game, kMoveRight, weapons.RightLaserLatch, game.sounds.laserRight, rollerX > shipX);
  }
  weapons.LastShotTick = now;
}

}  // namespace sb
