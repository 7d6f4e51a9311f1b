#pragma once
// The recording each colour of alien flies with, for tests that put aliens
// straight onto the field.

#include "aliens/alien_state.h"

namespace sb::test {

inline const char* VoiceOf(Colour colour) {
  static const char* const kVoices[kColourCount] = {"sounds/ablue.wav",   "sounds/agreen.wav",  "sounds/ared.wav",
                                                    "sounds/aviolet.wav", "sounds/ayellow.wav", "sounds/aCyan.wav",
                                                    "sounds/aorange.wav", "sounds/asilver.wav"};
  return kVoices[static_cast<int>(colour)];
}

}  // namespace sb::test
