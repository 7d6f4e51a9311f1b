#pragma once

#include <cstdint>
#include <string>

#include "audio/sound_buffer.h"
#include "platform/stopwatch.h"

namespace sb {

// Who says the words: the game's own recordings, or the player's own
// screen-reader voice at the player's own rate.
enum class Voice : uint8_t { Recorded, PlayersOwn };

// What the player's own voice says for one channel: it counts as that
// channel's prompt until the words have been said (or were cut off), and is
// given up on after a time the words could never take.
struct OwnVoicePrompt {
  const SoundBuffer* channel = nullptr;  // the channel it speaks for; null: it speaks for none
  Stopwatch started;
  int32_t limitMs = 0;
  std::string sounds;  // the recording's sounds without its words, played there once the words end
};

// The two channels all words are spoken on: a new prompt cuts off the one
// playing on its channel.
struct SpeechState {
  SoundBuffer channel;        // PlaySound, PlaySoundStereo
  SoundBuffer promptChannel;  // the menus' interruptible prompts
  bool gameStartPrompt = false;  // the game-start prompt plays: any joystick button cuts it short
  Voice chosen = Voice::Recorded;  // the player's choice, kept in the settings store
  bool ownVoiceLost = false;  // it could not be had this run: the recordings speak until the player switches
  OwnVoicePrompt own;
};

}  // namespace sb
