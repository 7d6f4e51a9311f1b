#pragma once
// Owns the mixer and hands out sound buffers made from recordings of the
// sound tree. Also writes the sound events of the simulated host's log.

#include <memory>
#include <string>
#include <string_view>

#include "audio/mixer.h"
#include "audio/sound_buffer.h"

namespace sb {

class Host;
class EventLog;

class SoundSystem {
 public:
  explicit SoundSystem(Host& host);
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Opens the sound device; false when there is none.
  bool Start();
  void Shutdown();

  // A new buffer holding the named recording; throws RuntimeError when it
  // cannot be loaded.
  SoundBuffer Create(std::string_view name);

  Mixer& GetMixer() { return mixer_; }
  EventLog* Log() const { return log_; }
  int32_t Ticks() const;

 private:
  Host& host_;
  Mixer mixer_;
  EventLog* log_;
  bool started_ = false;
  uint32_t lastBufferId_ = 0;
};

}  // namespace sb
