#include "audio/sound_buffer.h"

#include <string>

#include "audio/sound_system.h"
#include "platform/event_log.h"

namespace sb {

SoundBuffer::~SoundBuffer() { Reset(); }

SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept
    : system_(other.system_), voice_(other.voice_), name_(std::move(other.name_)), id_(other.id_) {
  other.system_ = nullptr;
  other.id_ = 0;
  other.voice_ = VoiceId{};
}

SoundBuffer& SoundBuffer::operator=(SoundBuffer&& other) noexcept {
  if (this != &other) {
    Reset();
    system_ = other.system_;
    voice_ = other.voice_;
    name_ = std::move(other.name_);
    id_ = other.id_;
    other.system_ = nullptr;
    other.id_ = 0;
    other.voice_ = VoiceId{};
  }
  return *this;
}

void SoundBuffer::Reset() {
  if (!system_) return;
  Stop();  // a sound cut off by its buffer's release is heard to stop
  system_->GetMixer().DestroyVoice(voice_);
  system_ = nullptr;
  voice_ = VoiceId{};
  name_.clear();
  id_ = 0;
}

// One line of the log about this buffer; its number comes last.
void SoundBuffer::LogEvent(const char* op, std::initializer_list<std::string> fields) {
  std::string line = LogPath(name_);
  for (const auto& field : fields) line.append(1, ' ').append(field);
  line += " buf=" + std::to_string(id_);
  system_->Log()->Write(system_->Ticks(), op, line);
}

void SoundBuffer::Play(bool looping) {
  if (!system_) return;
  Mixer& mixer = system_->GetMixer();
  EventLog* log = system_->Log();
  const uint32_t before = log ? mixer.Status(voice_) : 0;
  mixer.Play(voice_, looping);
  const bool wasLooping = (before & kStatusLooping) != 0;
  if (log && (!(before & kStatusPlaying) || wasLooping != looping)) {
    LogEvent("play", {std::string("loop=") + (looping ? "1" : "0"), "vol=" + std::to_string(mixer.Volume(voice_)),
             "pan=" + std::to_string(mixer.Pan(voice_)), "freq=" + std::to_string(mixer.Frequency(voice_))});
  }
}

void SoundBuffer::Stop() {
  if (!system_) return;
  Mixer& mixer = system_->GetMixer();
  EventLog* log = system_->Log();
  const bool wasPlaying = log && (mixer.Status(voice_) & kStatusPlaying);
  mixer.Stop(voice_);
  if (wasPlaying) LogEvent("stop");
}

void SoundBuffer::SetPosition(uint32_t frame) {
  if (system_) system_->GetMixer().SetPosition(voice_, frame);
}

// Applies a setting; the simulated host's log hears of it when the value changed.
template <typename Read, typename Write>
void SoundBuffer::Change(const char* op, Read read, Write write) {
  if (!system_) return;
  Mixer& mixer = system_->GetMixer();
  EventLog* log = system_->Log();
  const int64_t before = log ? static_cast<int64_t>(read(mixer)) : 0;
  write(mixer);
  if (!log) return;
  const auto after = static_cast<int64_t>(read(mixer));
  if (before != after) LogEvent(op, {std::string(op) + "=" + std::to_string(after)});
}

void SoundBuffer::SetVolume(int32_t millibels) {
  Change("vol", [&](Mixer& m) { return m.Volume(voice_); }, [&](Mixer& m) { m.SetVolume(voice_, millibels); });
}

void SoundBuffer::SetPan(int32_t millibels) {
  Change("pan", [&](Mixer& m) { return m.Pan(voice_); }, [&](Mixer& m) { m.SetPan(voice_, millibels); });
}

void SoundBuffer::SetFrequency(int32_t hertz) {
  const uint32_t rate = hertz < 0 ? kFrequencyMin : static_cast<uint32_t>(hertz);
  Change("freq", [&](Mixer& m) { return m.Frequency(voice_); }, [&](Mixer& m) { m.SetFrequency(voice_, rate); });
}

uint32_t SoundBuffer::Status() const { return system_ ? system_->GetMixer().Status(voice_) : 0; }
int32_t SoundBuffer::Volume() const { return system_ ? system_->GetMixer().Volume(voice_) : 0; }
int32_t SoundBuffer::Pan() const { return system_ ? system_->GetMixer().Pan(voice_) : 0; }
uint32_t SoundBuffer::Frequency() const { return system_ ? system_->GetMixer().Frequency(voice_) : 0; }
uint32_t SoundBuffer::Position() const { return system_ ? system_->GetMixer().Position(voice_) : 0; }

}  // namespace sb
