#pragma once

#include "audio/sound_buffer.h"

namespace sb {

// The two channels all words are spoken on: a new prompt cuts off the one
// playing on its channel.
struct SpeechState {
  SoundBuffer channel;        // PlaySound, PlaySoundStereo
  SoundBuffer promptChannel;  // the menus' interruptible prompts
  bool gameStartPrompt = false;  // the game-start prompt plays: any joystick button cuts it short
};

}  // namespace sb
