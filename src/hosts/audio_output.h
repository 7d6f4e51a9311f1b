#pragma once
// The sound output the game plays through: the system's default, or one the
// player names (a USB headset, or a card other than the one a screen reader
// speaks on).

#include <SDL2/SDL.h>

#include <ostream>
#include <string>

namespace sb {

// The settings file's choice: audio_device under [Starbarrow/Sound].
constexpr const char* kAudioSettingsApp = "Starbarrow";
constexpr const char* kAudioSettingsSection = "Sound";
constexpr const char* kAudioDeviceKey = "audio_device";

// Opens the output named `name` as SDL lists it, or the default one when the
// name is empty. A named output that cannot be opened (unplugged, renamed) is
// reported on `err` and the default one is opened instead. 0 when no output
// could be opened; SDL_GetError() then says why. SDL's audio must be started.
SDL_AudioDeviceID OpenAudioOutput(const std::string& name, const SDL_AudioSpec& want, SDL_AudioSpec& have,
                                  std::ostream& err);

// Prints SDL's sound outputs on `out`, one name a line, exactly as
// OpenAudioOutput takes them. Returns the exit code: 1 when the sound
// system cannot be started.
int ListAudioOutputs(std::ostream& out, std::ostream& err);

}  // namespace sb
