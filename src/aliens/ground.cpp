#include "aliens/ground.h"

#include <cstdlib>

#include "game/game.h"
#include "platform/vb_math.h"
#include "sound/sound_engine.h"

namespace sb {

void LandAlien(Game& game, AlienRecord& a) {
  const int16_t shipX = game.state.ShipX;
  a.Landed = true;
  game.state.AlienLandedThisWave = true;
  a.LandedRight = a.X >= shipX;
  a.Voice.SetVolume(0);
  StopSound(a.Voice);
  LoadSound(game, a.Voice, "sounds/alienlnd.wav");
  a.Voice.SetPan(a.X - shipX);
  a.Voice.SetVolume(static_cast<int32_t>(RoundHalfEven(-std::abs(a.X - shipX) / 6.0)));
  a.Voice.Play(false);
}

// Not written yet: a landed alien stays where it came down.
void GroundStep(Game&, AlienRecord&, int32_t) {}

}  // namespace sb
