#include "game/stop_game_sounds.h"

#include "aliens/aliens.h"
#include "game/game.h"
#include "player/ship.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

// The short effects of play (shots, hits, explosions) are cut off with the
// loops, so that nothing of a game is heard once it is over.
void StopPlayEffects(GameSounds& s) {
  for (SoundBuffer* b : {&s.laser, &s.laserLeft, &s.laserRight, &s.vapor, &s.locate, &s.missileLaunch, &s.nuke,
                         &s.nukeUp}) {
    StopSound(*b);
  }
  for (SoundBuffer& b : s.missileExplosion) StopSound(b);
  for (SoundBuffer& b : s.shipHit) StopSound(b);
  for (SoundBuffer& b : s.explosion) StopSound(b);
}

// Every sound of every alien record, also those that releasing the aliens'
// sounds keeps (the colours' action sounds and the silver bombs).
void StopAlienSounds(AliensState& aliens) {
  for (AlienGroup& group : aliens.groups) {
    for (AlienRecord& alien : group.Aliens) {
      for (SoundBuffer* b : {&alien.Voice, &alien.ActionSound, &alien.BombDropSound}) StopSound(*b);
      for (SoundBuffer& b : alien.StepSounds) StopSound(b);
      for (SoundBuffer& b : alien.BombSounds) StopSound(b);
    }
  }
}

}  // namespace

void EndSceneSounds(Game& game, NightLife nightLife, std::span<SoundBuffer* const> owned) {
  StopSound(game.sounds.shield);
  game.state.ShieldActive = false;
  StopThrustSounds(game);
  if (nightLife == NightLife::Mute) MuteSound(game.sounds.nightLife);
  else StopSound(game.sounds.nightLife);
  for (SoundBuffer* sound : owned) FreeSound(*sound);
}

void StopGameSounds(Game& game) {
  game.state.GameActive = false;
  if (!game.startup.soundsLoaded) return;
  EndSceneSounds(game, NightLife::Stop);
  GameSounds& s = game.sounds;
  MuteSound(s.thrustContinuous);  // the next game's first thrust starts from silence
  for (SoundBuffer& b : s.sideHit) StopSound(b);
  StopSound(game.saucer.PayloadSound);
  StopSound(game.saucer.DiveSound);
  FreeSound(game.music.backgroundLoop);
  FreeAlienSounds(game);
  StopPlayEffects(s);
  StopAlienSounds(game.aliens);
}

}  // namespace sb
