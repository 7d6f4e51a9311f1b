#include "player/controls.h"

#include "game/game.h"
#include "game/high_score.h"
#include "game/saved_game.h"
#include "input/input.h"
#include "platform/vb_math.h"
#include "player/laser_gate.h"
#include "player/weapons.h"
#include "sound/music.h"
#include "sound/own_voice.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The nuke key may still be latched by the menu that started the game: it
// counts only once that key is free. The action's flag lags one poll behind
// the key, so the key or button must be down now as well, or the pass in
// which the menu's key is let go would fire.
bool NukePressed(InputState& input) {
  const ActionRecord& nuke = input.actions[kUseNuke];
  const bool down = KeyDown(input, nuke.key) || ButtonDown(input, nuke.button);
  return down && !input.keyLatch[nuke.key] && TakeAction(input, kUseNuke);
}

void StockWeaponKeys(Game& game) {
  InputState& input = game.input;
  // A press while a nuke warms up is used up: one press is one nuke.
  if (NukePressed(input) && !game.state.NukePending) ArmNuke(game);
  DetonatePendingNuke(game);
  if (Held(input, kVapor)) RequestVapor(game);
}

void ReportKeys(Game& game, const SceneControls& scene) {
  InputState& input = game.input;
  // A window that loses the focus pauses play as P does: away from it no key
  // acts, so the player comes back to a game waiting for P.
  if (TakeKey(input, dik::P) || !input.focused) scene.pause(game);
  if (TakeAction(input, kLevelWaveReport)) SpeakLevelAndWave(game);
  if (TakeKey(input, dik::H)) SpeakHighScore(game);
}

}  // namespace

void PlayerControls(Game& game, const SceneControls& scene) {
  LowerShieldWhenSilent(game);
  GameState& state = game.state;
  if (!state.GameActive) return;
  InputState& input = game.input;
  PollInput(game);
  ReadModifierKeys(input);
  LocateShip(game);
  if (TakeAction(input, kScoreReport)) SpeakScore(game);
  if (!scene.reportsAfterWeapons) ReportKeys(game, scene);
  if (TakeAction(input, kShields)) RaiseShield(game);
  if (scene.stockWeapons && TakeAction(input, kFireMissile)) FireMissile(game);
  if (Held(input, kLaser) || Held(input, kSideLaser)) {
    scene.fire(game);
    if (!state.GameActive || state.wave.WaveCleared) return;  // the shot ended the scene
    HoldLaserLatches(game);
  }
  if (scene.stockWeapons) StockWeaponKeys(game);
  ReleaseLaserLatches(game);
  if (scene.tractor && TakeAction(input, kTractor)) scene.tractor(game);
  if (TakeAction(input, kEnergyReport)) SpeakNumber(game, scene.energy ? *scene.energy : state.Energy);
  if (scene.backgroundKeys) HandleBackgroundKeys(game);
  HandleVoiceKey(game);
  if (scene.reportsAfterWeapons) ReportKeys(game, scene);
  if (scene.saveKey && TakeKey(input, dik::Q)) SaveGame(game);
}

void HandlePlayerControls(Game& game) {
  PlayerControls(game, {.fire = FireLasers,
                        .pause = PauseWave,
                        .stockWeapons = true,
                        .backgroundKeys = true,
                        .saveKey = true,
                        .reportsAfterWeapons = true});
}

void LocateShip(Game& game) {
  InputState& input = game.input;
  const bool key = KeyPressed(input, dik::DOWN);
  const bool stick = ButtonDown(input, kStickDown) && !input.buttonLatch[kStickDown];
  if (!key && !stick) return;
  input.keyLatch[dik::DOWN] = true;
  input.buttonLatch[kStickDown] = true;
  SoundBuffer& ping = game.sounds.locate;
  if (ping.IsPlaying()) return;
  ping.SetPan(RoundHalfEven32((game.state.ShipX - 5000) / 3.0));
  ping.Play(false);
}

void PauseWave(Game& game) { PauseScene(game); }

}  // namespace sb
