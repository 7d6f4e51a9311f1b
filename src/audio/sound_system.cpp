#include "audio/sound_system.h"

#include "audio/sound_library.h"
#include "platform/event_log.h"
#include "platform/host.h"
#include "platform/runtime_error.h"

namespace sb {

SoundSystem::SoundSystem(Host& host) : host_(host), log_(host.Log()) {}

SoundSystem::~SoundSystem() { Shutdown(); }

bool SoundSystem::Start() {
  if (started_) return true;
  started_ = host_.StartAudio(mixer_);
  return started_;
}

void SoundSystem::Shutdown() {
  if (started_) host_.StopAudio();
  started_ = false;
}

SoundBuffer SoundSystem::Create(std::string_view name) {
  auto pcm = host_.Sounds().Load(name);
  const VoiceId voice = mixer_.CreateVoice(std::move(pcm));
  if (!voice.Valid()) throw RuntimeError(kErrDevice, "Too many sounds at once to load " + std::string(name));
  return SoundBuffer(this, voice, std::string(name), ++lastBufferId_);
}

int32_t SoundSystem::Ticks() const { return host_.Ticks(); }

}  // namespace sb
