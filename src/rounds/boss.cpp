#include "rounds/boss.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "game/game.h"
#include "game/stop_game_sounds.h"
#include "game/scoring.h"
#include "platform/vb_math.h"
#include "player/ship.h"
#include "rounds/rounds.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kLoopMusicVolume = -100;
constexpr int32_t kDefeatPoints = 10000000;

// Nothing of an earlier game's round is still under way (no roller, no
// raised shield, no laser charging, no hits): only the mothership's and the
// roller's places and directions carry over.
void StartRound(Game& game) {
  const BossState& last = game.boss;
  BossState fresh;
  fresh.BossX = last.BossX;
  fresh.MovingLeft = last.MovingLeft;
  fresh.RollerX = last.RollerX;
  fresh.RollerLeft = last.RollerLeft;
  game.boss = std::move(fresh);
}

void LoadBossSounds(Game& game) {
  BossState& boss = game.boss;
  LoadSound(game, boss.StartMusic, "sounds\\music\\bosstart.wav");
  LoadSound(game, boss.LoopMusic, "sounds\\music\\bossloop.wav");
  LoadSound(game, boss.Mothership, "sounds/mothship.wav");
  LoadSound(game, boss.Scream, "sounds/scream.wav");
  LoadSound(game, boss.Shield, "sounds/shield.wav");
  LoadSound(game, boss.DirectionChange, "sounds/changdir.wav");
  LoadSound(game, boss.Attack, "sounds/yelpwrup.wav");
  LoadSound(game, boss.RollerDrop, "sounds/rolldrop.wav");
  LoadSound(game, boss.Roller, "sounds/rollhit.wav");
}

// Escape leaves the whole game, not only the round.
void AbandonBossRound(Game& game) {
  game.state.GameActive = false;
  game.state.QuitToMenu = true;
  ReleaseBoss(game);
}

void PlayBossRound(Game& game) {
  GameState& state = game.state;
  SetUpBoss(game);
  state.GameActive = true;
  while (state.GameActive) {
    if (KeyDown(game.input, dik::ESCAPE)) {
      AbandonBossRound(game);
      return;
    }
    BossPass(game);
  }
}

}  // namespace

void BossPass(Game& game) {
  game.host.Yield();
  BossControls(game);
  MoveShip(game);
  MoveMothership(game);
  RepanBossSounds(game);
  CycleBossShield(game);
  BossAttack(game);
  UpdateRoller(game);
}

// However the round ends (the mothership destroyed, the ship destroyed,
// Escape, or an error), it ends the game and leaves nothing of it sounding.
void BossRound(Game& game) {
  const RadarOnScreen radar(game, RadarScene::Boss);
  try {
    PlayBossRound(game);
  } catch (...) {
    game.state.GameActive = false;
    ReleaseBoss(game);
    throw;
  }
  ReleaseBoss(game);
}

int32_t BossVolume(const Game& game, int32_t x) { return RoundHalfEven32(-std::abs(x - game.state.ShipX) / 3.0); }

void PlaceBossSound(Game& game, SoundBuffer& sound, int32_t x) {
  sound.SetVolume(BossVolume(game, x));
  sound.SetPan(x - game.state.ShipX);
}

void SetUpBoss(Game& game) {
  GameState& state = game.state;
  BossState& boss = game.boss;
  StartRound(game);
  LoadBossSounds(game);
  PlaySound(game, "sounds/liftoff.wav", 0, true);
  boss.StartMusic.Play(false);
  while (boss.StartMusic.IsPlaying()) game.host.Yield();
  boss.LoopMusic.SetVolume(kLoopMusicVolume);
  boss.LoopMusic.Play(true);
  // 40 ms between the mothership's steps on Easy, 30 on Medium, 20 on Hard.
  boss.StepInterval = std::max(0, 40 - 10 * (state.Difficulty - 1));
  state.Energy = 100;
  boss.BossAlive = true;
  boss.RollerTick.Start(game.host.Ticks());
  boss.ShieldTick = boss.RollerTick;
  boss.Mothership.Play(true);
  game.sounds.nightLife.SetVolume(kVolumeMin);
  game.sounds.nightLife.Play(true);
}

void BossDefeated(Game& game) {
  GameState& state = game.state;
  BossState& boss = game.boss;
  state.QuitToMenu = true;
  state.GameActive = false;
  boss.BossAlive = false;
  ReleaseBoss(game);
  AddScore(game, kDefeatPoints);
  // The blast takes the roller with it.
  LoadSound(game, boss.Roller, "sounds/explode.wav");
  boss.Roller.SetPan(boss.RollerX - state.ShipX);
  boss.Roller.Play(false);
  boss.Dropping = boss.Landed = boss.Rolling = false;
  boss.RollerTick.Start(game.host.Ticks());
  // Then the mothership's own blast, from all around.
  LoadSound(game, boss.Roller, "sounds/explode.wav");
  boss.Roller.Play(false);
  PlaySound(game, "sounds/mothexpl.wav", 0, true);
  ReleaseBoss(game);
  PlaySound(game, "sounds/complete.wav", 0, true);
  SpeakScore(game);
  PressKeyWait(game);
}

// The fight ends the ship's sounds as every scene does, the night life for
// good, and frees the round's own.
void ReleaseBoss(Game& game) {
  BossState& boss = game.boss;
  SoundBuffer* const owned[] = {&boss.LoopMusic, &boss.StartMusic, &boss.Mothership, &boss.Scream,     &boss.Shield,
                                &boss.Roller,    &boss.DirectionChange, &boss.Attack, &boss.RollerDrop, &boss.ShieldHit};
  EndSceneSounds(game, NightLife::Stop, owned);
}

}  // namespace sb
