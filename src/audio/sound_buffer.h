#pragma once
// A sound buffer: one voice of the mixer playing one recording, or nothing.
// An empty buffer is valid everywhere; every operation on it does nothing
// and it reports "not playing". Two overlapping instances of one sound need
// two buffers. Moving a buffer moves the voice; destroying it frees the voice.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "audio/mixer.h"

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
  // The buffer's number in the simulated host's log: unique for the run, kept
  // for the buffer's life, so a listener can tell two buffers of one sound apart.
  uint32_t Id() const { return id_; }

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
  SoundBuffer(SoundSystem* system, VoiceId voice, std::string name, uint32_t id)
      : system_(system), voice_(voice), name_(std::move(name)), id_(id) {}
  void LogEvent(const char* op, std::initializer_list<std::string> fields = {});
  template <typename Read, typename Write>
  void Change(const char* op, Read read, Write write);

  SoundSystem* system_ = nullptr;
  VoiceId voice_;
  std::string name_;
  uint32_t id_ = 0;
};

}  // namespace sb
