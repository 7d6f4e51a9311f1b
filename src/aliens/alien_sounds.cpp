#include "aliens/alien_sounds.h"

#include "aliens/aliens.h"
#include "game/game.h"
#include "sound/sound_engine.h"

namespace sb {

void MuteAllAliens(Game& game) {
  if (!game.state.GameActive) return;
  for (Colour c : kServeOrder) {
    AlienGroup& g = game.aliens[c];
    if (g.Count == 0) continue;
    for (AlienRecord& a : g.Aliens) {
      if (!a.Active) continue;
      MuteSound(a.StepSounds[0]);
      MuteSound(a.StepSounds[1]);
      MuteSound(a.Voice);
      MuteSound(a.ActionSound);
    }
  }
  if (game.saucer.SaucerEnabled) MuteSound(game.saucer.PayloadSound);
}

// The saucer's hum and the landed payload's hum are never placed by volume,
// so nothing else would bring them back after a pause. Both play at full
// volume.
void RestoreSaucerAfterPause(Game& game) {
  if (game.state.GameActive && game.saucer.SaucerEnabled) game.saucer.PayloadSound.SetVolume(0);
}

// Voices and footsteps go now, and silver's shield and bomb-drop sounds; the
// other sounds of a record go when the next wave sets its colour up, but are
// stopped here, so nothing of a finished wave goes on sounding.
void FreeAlienSounds(Game& game) {
  for (Colour c : kSweepOrder) {
    AlienGroup& g = game.aliens[c];
    if (g.Count == 0) continue;
    for (AlienRecord& a : g.Aliens) {
      FreeSound(a.Voice);
      if (c == Colour::Silver) {
        FreeSound(a.ActionSound);
        FreeSound(a.BombDropSound);
      }
      FreeSound(a.StepSounds[0]);
      FreeSound(a.StepSounds[1]);
      StopSound(a.ActionSound);
      for (SoundBuffer& bomb : a.BombSounds) StopSound(bomb);
    }
  }
}

}  // namespace sb
