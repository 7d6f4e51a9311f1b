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

}  // namespace sb
