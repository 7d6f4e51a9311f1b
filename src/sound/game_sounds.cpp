#include "sound/game_sounds.h"

#include <exception>
#include <string>

#include "game/game.h"
#include "sound/sound_engine.h"

namespace sb {

void LoadGameSounds(Game& game) {
  GameSounds& s = game.sounds;
  auto load = [&](SoundBuffer& buffer, const std::string& file) { LoadSound(game, buffer, file); };

  load(s.laser, "sounds/laser.wav");
  s.laser.SetVolume(-200);
  load(s.laserLeft, "sounds/laser_l.wav");
  s.laserLeft.SetVolume(-500);
  load(s.laserRight, "sounds/laser_r.wav");
  s.laserRight.SetVolume(-500);
  load(s.shield, "sounds/shield.wav");
  load(s.vapor, "sounds/vaporize.wav");
  load(s.locate, "sounds/locate.wav");
  load(s.missileLaunch, "sounds/launch.wav");
  for (SoundBuffer& b : s.missileExplosion) load(b, "sounds/missexpl.wav");
  load(s.nuke, "sounds/nuke.wav");
  load(s.nukeUp, "sounds/nukeup.wav");
  for (size_t i = 0; i < s.shipHit.size(); ++i) load(s.shipHit[i], "sounds/shiphit" + std::to_string(i + 1) + ".wav");
  load(s.nightLife, "sounds/nitelife.wav");
  s.nightLife.SetVolume(kVolumeMin);
  load(s.thrustBurst, "sounds/thrburst.wav");
  load(s.thrustContinuous, "sounds/thrcont.wav");
  load(s.thrustStop, "sounds/thrstop.wav");
  load(s.powerThrust, "sounds/pwthrust.wav");
  for (SoundBuffer* b : {&s.thrustBurst, &s.thrustContinuous, &s.thrustStop, &s.powerThrust}) b->SetVolume(-500);
  // A refusal heard before the start-up sounds (a player file that cannot be
  // read or written) plays on: loading it again would cut it off.
  if (s.invalid.Empty()) load(s.invalid, "sounds/invalid.wav");
  for (size_t i = 0; i < s.explosion.size(); ++i) load(s.explosion[i], "sounds/exp" + std::to_string(i + 1) + ".wav");
  for (size_t i = 0; i < s.sideHit.size(); ++i) load(s.sideHit[i], "sounds/hitside" + std::to_string(i + 1) + ".wav");
  load(s.pauseLoop, "sounds/PausedLp.wav");
  load(game.speech.promptChannel, "sounds/invalid.wav");
  load(s.blip, "system\\menu\\blip.wav");
}

void PlayInvalid(Game& game) { RestartSound(game.sounds.invalid); }

void PlayInvalidEvenEarly(Game& game) {
  if (game.sounds.invalid.Empty()) {
    try {
      LoadSound(game, game.sounds.invalid, "sounds/invalid.wav");
    } catch (const std::exception& e) {
      game.host.Report(std::string("error: ") + e.what());
    }
  }
  PlayInvalid(game);
}

}  // namespace sb
