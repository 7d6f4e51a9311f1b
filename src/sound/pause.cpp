#include <vector>

#include "aliens/alien_sounds.h"
#include "game/game.h"
#include "input/input.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

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

void PauseScene(Game& game, std::span<SoundBuffer* const> sounds, std::span<Stopwatch* const> clocks) {
  std::vector<uint32_t> status(sounds.size());
  for (size_t i = 0; i < sounds.size(); ++i) {
    status[i] = sounds[i]->Status();
    StopSound(*sounds[i]);
  }
  const int32_t start = game.host.Ticks();
  PauseGame(game);
  game.input.keyLatch[dik::P] = KeyDown(game.input, dik::P);
  for (size_t i = 0; i < sounds.size(); ++i) {
    if (status[i] & kStatusPlaying) sounds[i]->Play((status[i] & kStatusLooping) != 0);
  }
  const int32_t paused = game.host.Ticks() - start;
  for (Stopwatch* clock : clocks) clock->Skip(paused);
}

}  // namespace sb
