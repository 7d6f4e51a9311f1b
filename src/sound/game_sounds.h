#pragma once
// The sounds loaded once at start-up and kept for the whole run.

#include <array>
#include <cstdint>

#include "audio/sound_buffer.h"

namespace sb {

struct Game;

struct GameSounds {
  SoundBuffer laser;
  SoundBuffer laserLeft;
  SoundBuffer laserRight;
  SoundBuffer shield;
  SoundBuffer vapor;
  SoundBuffer locate;
  SoundBuffer missileLaunch;
  std::array<SoundBuffer, 10> missileExplosion;  // one per missile slot
  SoundBuffer nuke;
  SoundBuffer nukeUp;
  std::array<SoundBuffer, 3> shipHit;
  SoundBuffer nightLife;  // edge ambience, silent until the ship nears a wall
  SoundBuffer thrustBurst;
  SoundBuffer thrustContinuous;
  SoundBuffer thrustStop;
  SoundBuffer powerThrust;
  SoundBuffer invalid;
  std::array<SoundBuffer, 3> explosion;
  std::array<SoundBuffer, 7> sideHit;
  SoundBuffer pauseLoop;
  SoundBuffer blip;

  uint8_t lastExplosion = 0;  // the explosion played last
  uint8_t lastShipHit = 0;
};

// Loads every start-up sound in its fixed order and sets the volumes that
// differ from full. A missing recording is a run-time error.
void LoadGameSounds(Game& game);

// The refusal beep: rewound and played once.
void PlayInvalid(Game& game);
// The same refusal at any moment, even before the start-up sounds are in (a
// failed first save, a missing key map): the sound is loaded first when it
// must be, and if it cannot be, the host is told the reason instead.
void PlayInvalidEvenEarly(Game& game);

}  // namespace sb
