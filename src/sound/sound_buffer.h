#pragma once
// A sound buffer: one voice of the mixer playing one recording, or nothing.
// An empty buffer is valid everywhere; every operation on it does nothing
// and it reports "not playing". Two overlapping instances of one sound need
// two buffers. Moving a buffer moves the voice; destroying it frees the voice.

#include <cstdint>
#include <string>

#include "sound/mixer.h"

namespace sb {

class SoundSystem;

class SoundBuffer {
 public:
  SoundBuffer() = default;
  ~SoundBuffer();
  SoundBuffer(SoundBuffer&& other) noexcept;
  SoundBuffer& operator=(SoundBuffer&& other) noexcept;
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  bool Empty() const { return system_ == nullptr; }
  explicit operator bool() const { return !Empty(); }
  const std::string& Name() const { return name_; }

  // Play once (looping false) or looping; a playing buffer keeps its place.
  void Play(bool looping = false);
  void Stop();
  void SetPosition(uint32_t frame);
  void SetVolume(int32_t millibels);
  void SetPan(int32_t millibels);
  // 0 restores the recording's own rate.
  void SetFrequency(int32_t hertz);

  uint32_t Status() const;
  bool IsPlaying() const { return (Status() & kStatusPlaying) != 0; }
  int32_t Volume() const;
  int32_t Pan() const;
  uint32_t Frequency() const;
  uint32_t Position() const;

  // Releases the voice; the buffer becomes empty.
  void Reset();

 private:
  friend class SoundSystem;
  SoundBuffer(SoundSystem* system, VoiceId voice, std::string name)
      : system_(system), voice_(voice), name_(std::move(name)) {}
  template <typename Read, typename Write>
  void Change(const char* op, Read read, Write write);

  SoundSystem* system_ = nullptr;
  VoiceId voice_;
  std::string name_;
};

}  // namespace sb
