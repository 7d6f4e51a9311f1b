#include "aliens/alien_sounds.h"
#include "game/game.h"
#include "platform/input.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr uint8_t kBackgroundOff = 2;
constexpr uint8_t kBackgroundAmbience = 1;

// The background loop's volume from the player's volume tables.
int32_t BackgroundVolume(const Game& game) {
  const PlayerRecord& p = game.player;
  const MusicState& m = game.music;
  if (p.backgroundMode == kBackgroundAmbience) return p.ambienceVolumes[m.ambienceTrack % p.ambienceVolumes.size()];
  return p.musicVolumes[m.musicTrack % p.musicVolumes.size()];
}

}  // namespace

// The whole game stands still here: nothing returns to the loop until P.
void PauseGame(Game& game) {
  if (game.player.backgroundMode != kBackgroundOff) game.music.backgroundLoop.SetVolume(kVolumeMin);
  MuteAllAliens(game);
  PlaySound(game, "sounds/Paused.wav", 0, true);
  game.sounds.pauseLoop.Play(true);
  do {
    game.host.Yield();
    PollInput(game);
  } while (!KeyDown(game.input, dik::P));
  StopSound(game.sounds.pauseLoop);
  PlaySound(game, "sounds/Resumed.wav", 0, true);
  if (game.player.backgroundMode != kBackgroundOff) game.music.backgroundLoop.SetVolume(BackgroundVolume(game));
  RestoreSaucerAfterPause(game);
}

}  // namespace sb
