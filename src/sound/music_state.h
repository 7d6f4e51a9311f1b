#pragma once

#include <cstdint>
#include <string>

#include "sound/mixer.h"
#include "sound/sound_buffer.h"

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

// The one open MP3 recording (the intro or the credits).
struct Mp3State {
  VoiceId voice;       // invalid while nothing is open
  std::string name;    // as the code names it
  bool running = false;  // started and not yet heard to stop
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
