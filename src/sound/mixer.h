#pragma once
// Our own mixer, in the units the game is written in:
//  - volume in hundredths of a decibel, 0 (full) to -10000 (silent);
//  - pan in hundredths of a decibel of attenuation of the opposite channel,
//    -10000 (left only) to 10000 (right only); volume and pan add in dB;
//  - frequency in hertz: the rate at which the source's frames are consumed.
// Pure code: the audio thread calls Render, the game thread everything else;
// one mutex keeps them apart.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "sound/pcm.h"

namespace sb {

constexpr int32_t kVolumeMin = -10000;
constexpr int32_t kVolumeMax = 0;
constexpr int32_t kPanLeft = -10000;
constexpr int32_t kPanRight = 10000;
constexpr uint32_t kFrequencyMin = 100;
constexpr uint32_t kFrequencyMax = 100000;

constexpr uint32_t kStatusPlaying = 0x1;
constexpr uint32_t kStatusLooping = 0x4;

// Linear gain of an attenuation in hundredths of a decibel; -10000 and below is silence.
float GainOfMillibels(int32_t millibels);

struct VoiceId {
  uint32_t index = UINT32_MAX;
  uint32_t generation = 0;
  bool Valid() const { return index != UINT32_MAX; }
};

class Mixer {
 public:
  explicit Mixer(int outputRate = 48000);

  void SetOutputRate(int rate);
  int OutputRate() const;

  VoiceId CreateVoice(std::shared_ptr<const Pcm> pcm);
  void DestroyVoice(VoiceId id);

  // Starting a playing voice keeps its place and only takes the new looping flag.
  void Play(VoiceId id, bool looping);
  // Stopping keeps the place, so the next Play resumes there.
  void Stop(VoiceId id);
  void SetPosition(VoiceId id, uint32_t frame);
  void SetVolume(VoiceId id, int32_t millibels);
  void SetPan(VoiceId id, int32_t millibels);
  // 0 restores the source's own rate; other values are held within 100..100000.
  void SetFrequency(VoiceId id, uint32_t hertz);

  uint32_t Status(VoiceId id) const;
  int32_t Volume(VoiceId id) const;
  int32_t Pan(VoiceId id) const;
  uint32_t Frequency(VoiceId id) const;  // effective rate in hertz
  uint32_t Position(VoiceId id) const;   // in source frames

  // Mixes `frames` stereo frames into `out` (interleaved L R), clipped to 16 bits.
  void Render(int16_t* out, size_t frames);
  // Moves every playing voice on by `frames` output frames without mixing:
  // the simulated host keeps play status true to time this way.
  void Advance(size_t frames);

  size_t ActiveVoices() const;

 private:
  struct Voice {
    std::shared_ptr<const Pcm> pcm;
    uint64_t position = 0;  // source frames, 32.32 fixed point
    uint32_t frequency = 0;  // 0: the source's rate
    int32_t volume = 0;
    int32_t pan = 0;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    bool playing = false;
    bool looping = false;
    bool inUse = false;
    uint32_t generation = 0;
  };

  Voice* Find(VoiceId id);
  const Voice* Find(VoiceId id) const;
  uint64_t Step(const Voice& v) const;
  static void UpdateGains(Voice& v);
  void MixVoice(Voice& v, float* mix, size_t frames);
  void AdvanceVoice(Voice& v, size_t frames);

  mutable std::mutex mutex_;
  int outputRate_;
  std::vector<Voice> voices_;
  std::vector<uint32_t> free_;
  std::vector<float> mix_;
};

}  // namespace sb
