#pragma once
// The sound output the game plays through: the system's default, or one the
// player names (a USB headset, or a card other than the one a screen reader
// speaks on). The output may go away under the game (headphones unplugged,
// the sound server restarted) and come back; the mixer is not tied to it, so
// every sound carries on from where it was on whichever device opens next.

#include <SDL2/SDL.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "hosts/audio_device_watch.h"

namespace sb {

class Mixer;

// The settings file's choice: audio_device under [Starbarrow/Sound].
constexpr const char* kAudioSettingsApp = "Starbarrow";
constexpr const char* kAudioSettingsSection = "Sound";
constexpr const char* kAudioDeviceKey = "audio_device";

class AudioOutput {
 public:
  explicit AudioOutput(std::ostream& err) : err_(err) {}
  ~AudioOutput() { Stop(); }
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Starts SDL's audio and opens the output named `chosen` as SDL lists it,
  // or the default one when the name is empty, rendering `mixer` in periods
  // of about `frames`. A named output that cannot be opened (unplugged,
  // renamed) is reported and the default one is opened instead. False, with
  // the reason on the error stream, when no output opens.
  bool Start(Mixer& mixer, const std::string& chosen, int frames);
  void Stop();  // waits for the last render

  bool Started() const { return mixer_ != nullptr; }
  SDL_AudioDeviceID Device() const { return device_; }  // 0 while silent
  bool OnChosen() const { return watch_.OnChosen(); }
  int Opens() const { return opens_; }  // devices opened since Start, the first one included

  // SDL's news of outputs coming and going; `now` on the host's clock in ms.
  void Handle(const SDL_AudioDeviceEvent& event, int32_t now);
  // From the main loop: opens the device the news calls for, if any. An
  // attempt costs one open; a silent game makes one a second.
  void Tend(int32_t now);

 private:
  SDL_AudioDeviceID Open(const char* name, SDL_AudioSpec& have) const;
  void PlayThrough(SDL_AudioDeviceID device, const SDL_AudioSpec& have);
  void Close();
  static void Render(void* mixer, Uint8* stream, int length);

  std::ostream& err_;
  Mixer* mixer_ = nullptr;
  std::string chosen_;
  int frames_ = 0;
  AudioDeviceWatch watch_{""};
  SDL_AudioDeviceID device_ = 0;
  int opens_ = 0;
  bool toldSilent_ = false;  // the line about playing silently was written
};

// Prints SDL's sound outputs on `out`, one name a line, exactly as
// AudioOutput takes them. Returns the exit code: 1 when the sound
// system cannot be started.
int ListAudioOutputs(std::ostream& out, std::ostream& err);

}  // namespace sb
