#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/mixer.h"
#include "audio/sound_buffer.h"
#include "audio/sound_stream.h"

namespace sb {

// What plays under a game: the player file's background mode.
enum BackgroundMode : uint8_t { kBackgroundMusic = 0, kBackgroundAmbience = 1, kBackgroundOff = 2 };

// The main menu's two loops and the crickets' fade-in.
struct MenuLoops {
  SoundBuffer music;     // "sounds\music\music5.wav"
  SoundBuffer crickets;  // "system\menu\crickets.wav"
  int32_t cricketVolume = -2000;
  int32_t cricketTick = 0;  // the last fade step
  bool cricketFadeDone = false;
};

// The one open MP3 recording (the intro or the credits). It streams: the
// voice plays a ring of a few seconds in a loop, and the decoder refills the
// part already heard a small piece at a time.
struct Mp3State {
  VoiceId voice;                         // invalid while nothing is open
  std::string name;                      // as the code names it
  std::unique_ptr<SoundStream> stream;   // null after a stop: the next play opens it again
  std::shared_ptr<Pcm> ring;             // the voice's recording
  uint64_t written = 0;                  // frames put in the ring since the start
  uint64_t heard = 0;                    // frames the voice has played since the start
  uint32_t lastPosition = 0;             // the voice's place in the ring when last looked at
  bool streamEnded = false;              // everything there is to hear is in the ring
  bool running = false;                  // started and not yet heard to stop
};

// The background loop under a game: a music or an ambience track.
struct MusicState {
  SoundBuffer backgroundLoop;
  uint8_t musicTrack = 1;     // 1..6
  uint8_t ambienceTrack = 1;  // 1..2
  MenuLoops menu;
  Mp3State mp3;
};

}  // namespace sb
