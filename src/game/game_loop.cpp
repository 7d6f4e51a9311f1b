#include "game/game_loop.h"

#include "aliens/aliens.h"
#include "aliens/saucer.h"
#include "game/game.h"
#include "game/scoring.h"
#include "game/stop_game_sounds.h"
#include "game/waves.h"
#include "input/input.h"
#include "player/controls.h"
#include "player/ship.h"
#include "player/weapons.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int32_t kMultiKillWindowMs = 2000;

// Held with a direction, the side laser keeps the ship where it is until it is let go.
void UpdateSideLaserHold(Game& game) {
  const auto& actions = game.input.actions;
  if (!actions[kSideLaser].active) {
    game.state.SideLaserHold = false;
  } else if (actions[kMoveLeft].active || actions[kMoveRight].active) {
    game.state.SideLaserHold = true;
  }
}

// A discharge waits for the vapor channel to be free.
void ReleasePendingVapor(Game& game) {
  GameState& s = game.state;
  if (game.sounds.vapor.IsPlaying() || !s.VaporPending) return;
  s.VaporPending = false;
  game.sounds.vapor.Play(false);
  s.Vapors = SaturatingAdd(s.Vapors, -1);
  ReleaseVapor(game);
}

// A landed payload not caught in time is gone: the harder the game, the sooner.
void ExpirePayload(Game& game) {
  SaucerState& u = game.saucer;
  if (!u.PayloadDown) return;
  const int32_t window = 2000 - 500 * (game.state.Difficulty - 1);
  if (!u.PayloadLandTick.MoreThan(game.host.Ticks(), window)) return;
  u.PayloadDown = false;
  u.PayloadDiving = false;
  StopSound(u.PayloadSound);
  LoadSound(game, u.PayloadSound, "sounds/paygone.wav");
  u.PayloadSound.SetPan(u.PayloadX - game.state.ShipX);
  u.PayloadSound.Play(false);
}

// Two seconds without a further kill close the window; a chain of two or more pays.
void CloseMultiKillWindow(Game& game) {
  GameState& s = game.state;
  if (!s.wave.MultiKillOpen) return;
  const int32_t now = game.host.Ticks();
  if (now - s.wave.MultiKillStart <= kMultiKillWindowMs) return;
  if (s.wave.MultiKillCount > 1) {
    AddScore(game, s.wave.MultiKillCount * 5000);
    ++s.wave.MultiKills;
  }
  s.wave.MultiKillOpen = false;
  s.wave.MultiKillCount = 0;
  s.wave.MultiKillStart = game.host.Ticks();
}

void MoveShipUnlessHeld(Game& game) {
  if (!game.state.SideLaserHold) MoveShip(game);
}

void FlySaucer(Game& game) {
  if (game.saucer.SaucerEnabled && !game.saucer.PayloadDiving) UpdateSaucer(game);
}

void DivePayload(Game& game) {
  if (game.saucer.PayloadDiving && !game.saucer.PayloadDown) UpdatePayloadDive(game);
}

// A pass from the player's controls on, in this order.
constexpr void (*kPlaySteps[])(Game&) = {HandlePlayerControls, MoveShipUnlessHeld,  UpdateMissiles,
                                         FlySaucer,            ReleasePendingVapor, DivePayload,
                                         ExpirePayload,        CloseMultiKillWindow};

// One pass; false when the loop is to be left. The laser, a missile, a nuke
// or the vapor that brings down the wave's last alien only marks the wave
// cleared: the loop ends it when that step of the pass has returned (unless
// the step left the game), and the rest of the pass then finds the wave
// over, as it did when the tally ran inside the step.
bool Pass(Game& game) {
  GameState& s = game.state;
  PollInput(game);
  game.host.Yield();
  if (KeyDown(game.input, dik::ESCAPE)) {
    s.QuitToMenu = true;
    return false;
  }
  UpdateAliens(game);
  UpdateSideLaserHold(game);
  if (!AnyAlienActive(game) && !s.FieldEmpty) s.FieldEmpty = true;
  for (void (*step)(Game&) : kPlaySteps) {
    step(game);
    if (s.wave.WaveCleared && !s.QuitToMenu) CompleteWave(game);
  }
  return !s.QuitToMenu && s.GameActive;
}

}  // namespace

void GameLoop(Game& game) {
  const RadarOnScreen radar(game);
  GameState& s = game.state;
  s.GameActive = true;
  s.wave.MultiKillStart = game.host.Ticks();  // the window's clock starts with play
  while (Pass(game)) {
  }
  if (!s.QuitToMenu) return;  // the wave is over: the next one is due
  s.GameActive = false;
  StopGameSounds(game);
}

}  // namespace sb
