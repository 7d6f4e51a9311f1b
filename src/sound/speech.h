#pragma once
// Everything the player hears as words is a recorded prompt, played here.

#include <cstdint>
#include <string_view>

namespace sb {

struct Game;

// Plays a prompt on the speech channel, cutting off the one playing there.
// With `wait`, returns when it ends; F12 skips it (once per press). A prompt
// that cannot be played shows an error message and the caller goes on.
void PlaySound(Game& game, std::string_view file, int32_t pan, bool wait);

// The same for the stereo wave-complete prompt; its wait only lets window
// messages run (no skip key).
void PlaySoundStereo(Game& game, std::string_view file, int32_t pan, bool wait);

}  // namespace sb
