#pragma once

#include <cstdint>

#include "sound/sound_buffer.h"

namespace sb {

// The background loop under a game: a music or an ambience track.
struct MusicState {
  SoundBuffer backgroundLoop;
  uint8_t musicTrack = 1;     // 1..6
  uint8_t ambienceTrack = 1;  // 1..2
};

}  // namespace sb
