#pragma once
// Our own mixer, in the units the game is written in:
//  - volume in hundredths of a decibel, 0 (full) to -10000 (silent);
//  - pan in hundredths of a decibel of attenuation of the opposite channel,
//    -10000 (left only) to 10000 (right only); volume and pan add in dB;
//  - frequency in hertz: the rate at which the source's frames are consumed.
// Pure code. One thread renders (Render, or Advance on the simulated host);
// the game thread calls everything else. The renderer never waits for the
// game: it takes no lock, allocates nothing and makes no system call. Each
// setting is an atomic value, the play state one atomic word that both sides
// update by compare-and-swap, and a voice's recording is let go of only once
// no render can still be reading it.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/pcm.h"

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
  // Voices alive at once; CreateVoice gives an invalid id beyond it.
  static constexpr size_t kMaxVoices = 65536;

  explicit Mixer(int outputRate = 48000);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  void SetOutputRate(int rate);
  int OutputRate() const;

  // An invalid id when kMaxVoices are alive.
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

  // A streamed voice's recording is a ring that the game thread refills
  // behind the play position: what it wrote before this call is what the
  // next render reads.
  void PublishSamples(VoiceId id);

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
  // Voices created and not yet destroyed, playing or not: the sound buffers
  // that hold a recording.
  size_t LiveVoices() const;

 private:
  struct Voice {
    // Written by the game thread, read by the renderer.
    std::atomic<const Pcm*> pcm{nullptr};  // null while the voice is not in use
    std::atomic<uint64_t> gains{0};        // left and right linear gains, two floats
    std::atomic<uint32_t> rate{0};         // source frames per second
    // Updated by both: see the transport word in mixer.cpp.
    std::atomic<uint64_t> transport{0};
    // The renderer's own.
    uint64_t position = 0;  // source frames, 32.32 fixed point
    uint32_t epoch = 0;     // of the last position the game set
    // The game thread's own.
    std::shared_ptr<const Pcm> owner;
    uint32_t generation = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = 0;  // 0: the source's rate
    bool inUse = false;
  };
  // A voice destroyed while a render may still read it, and the render count then.
  struct Retired {
    uint32_t index;
    uint64_t renders;
    std::shared_ptr<const Pcm> pcm;
  };
  struct Cursor;
  class RenderScope;

  static constexpr size_t kChunkVoices = 256;
  static constexpr size_t kMixFrames = 1024;

  Voice& At(size_t index) const { return chunks_[index / kChunkVoices][index % kChunkVoices]; }
  Voice* Find(VoiceId id) const;
  void Reclaim();
  static void PublishGains(Voice& v);
  static void PublishRate(Voice& v);
  template <typename Change>
  static void ChangeTransport(Voice& v, Change change);
  uint64_t Step(const Voice& v) const;
  void RenderVoices(float* mix, size_t frames);
  void MixVoice(const Pcm& pcm, uint64_t step, Cursor& c, float* mix, size_t frames) const;
  static void AdvanceCursor(const Pcm& pcm, uint64_t step, Cursor& c, size_t frames);

  std::atomic<int> outputRate_;
  std::array<std::unique_ptr<Voice[]>, kMaxVoices / kChunkVoices> chunks_;
  std::atomic<size_t> published_{0};  // voices the renderer may look at
  std::atomic<uint64_t> renders_{0};  // odd while a render runs
  // The game thread's own.
  size_t voiceCount_ = 0;
  std::vector<uint32_t> free_;
  std::vector<Retired> retired_;
  // The renderer's own.
  std::array<float, 2 * kMixFrames> mix_{};
};

}  // namespace sb
