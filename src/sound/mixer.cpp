#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace sb {

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

// Mixes `count` output frames of one voice, reading source frames idx and
// idx + 1 for each (the caller guarantees idx + 1 stays inside the source).
template <int Channels>
uint64_t MixRun(const int16_t* src, uint64_t position, uint64_t step, float gainLeft, float gainRight,
                float* mix, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const size_t idx = static_cast<size_t>(position >> 32);
    const float frac = static_cast<float>(static_cast<uint32_t>(position)) * kFractionScale;
    if constexpr (Channels == 1) {
      const float a = src[idx];
      const float b = src[idx + 1];
      const float v = a + (b - a) * frac;
      mix[2 * i] += v * gainLeft;
      mix[2 * i + 1] += v * gainRight;
    } else {
      const int16_t* p = src + 2 * idx;
      const float left = p[0] + (p[2] - p[0]) * frac;
      const float right = p[1] + (p[3] - p[1]) * frac;
      mix[2 * i] += left * gainLeft;
      mix[2 * i + 1] += right * gainRight;
    }
    position += step;
  }
  return position;
}

}  // namespace

float GainOfMillibels(int32_t millibels) {
  if (millibels <= kVolumeMin) return 0.0f;
  if (millibels >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, millibels / 2000.0));
}

Mixer::Mixer(int outputRate) : outputRate_(outputRate > 0 ? outputRate : 48000) {}

void Mixer::SetOutputRate(int rate) {
  std::lock_guard lock(mutex_);
  if (rate > 0) outputRate_ = rate;
}

int Mixer::OutputRate() const {
  std::lock_guard lock(mutex_);
  return outputRate_;
}

VoiceId Mixer::CreateVoice(std::shared_ptr<const Pcm> pcm) {
  std::lock_guard lock(mutex_);
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    index = static_cast<uint32_t>(voices_.size());
    voices_.emplace_back();
  }
  Voice& v = voices_[index];
  const uint32_t generation = v.generation + 1;
  v = Voice{};
  v.pcm = std::move(pcm);
  v.inUse = true;
  v.generation = generation;
  return VoiceId{index, generation};
}

void Mixer::DestroyVoice(VoiceId id) {
  std::lock_guard lock(mutex_);
  Voice* v = Find(id);
  if (!v) return;
  v->inUse = false;
  v->playing = false;
  v->pcm.reset();
  free_.push_back(id.index);
}

Mixer::Voice* Mixer::Find(VoiceId id) {
  if (id.index >= voices_.size()) return nullptr;
  Voice& v = voices_[id.index];
  return v.inUse && v.generation == id.generation ? &v : nullptr;
}

const Mixer::Voice* Mixer::Find(VoiceId id) const {
  return const_cast<Mixer*>(this)->Find(id);
}

void Mixer::Play(VoiceId id, bool looping) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) {
    v->playing = true;
    v->looping = looping;
  }
}

void Mixer::Stop(VoiceId id) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) v->playing = false;
}

void Mixer::SetPosition(VoiceId id, uint32_t frame) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) {
    const uint64_t frames = v->pcm->Frames();
    v->position = std::min<uint64_t>(frame, frames) << 32;
  }
}

void Mixer::SetVolume(VoiceId id, int32_t millibels) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) {
    v->volume = std::clamp(millibels, kVolumeMin, kVolumeMax);
    UpdateGains(*v);
  }
}

void Mixer::SetPan(VoiceId id, int32_t millibels) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) {
    v->pan = std::clamp(millibels, kPanLeft, kPanRight);
    UpdateGains(*v);
  }
}

void Mixer::SetFrequency(VoiceId id, uint32_t hertz) {
  std::lock_guard lock(mutex_);
  if (Voice* v = Find(id)) v->frequency = hertz == 0 ? 0 : std::clamp(hertz, kFrequencyMin, kFrequencyMax);
}

uint32_t Mixer::Status(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* v = Find(id);
  if (!v || !v->playing) return 0;
  return kStatusPlaying | (v->looping ? kStatusLooping : 0);
}

int32_t Mixer::Volume(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* v = Find(id);
  return v ? v->volume : 0;
}

int32_t Mixer::Pan(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* v = Find(id);
  return v ? v->pan : 0;
}

uint32_t Mixer::Frequency(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* v = Find(id);
  if (!v) return 0;
  return v->frequency != 0 ? v->frequency : static_cast<uint32_t>(v->pcm->rate);
}

uint32_t Mixer::Position(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* v = Find(id);
  return v ? static_cast<uint32_t>(v->position >> 32) : 0;
}

size_t Mixer::ActiveVoices() const {
  std::lock_guard lock(mutex_);
  return static_cast<size_t>(std::count_if(voices_.begin(), voices_.end(),
                                           [](const Voice& v) { return v.inUse && v.playing; }));
}

void Mixer::UpdateGains(Voice& v) {
  // Pan attenuates only the opposite channel; both add to the volume in dB.
  v.gainLeft = GainOfMillibels(v.volume - std::max(v.pan, 0));
  v.gainRight = GainOfMillibels(v.volume + std::min(v.pan, 0));
}

uint64_t Mixer::Step(const Voice& v) const {
  const uint64_t rate = v.frequency != 0 ? v.frequency : static_cast<uint64_t>(std::max(v.pcm->rate, 1));
  // Rounded up, so that a sound lasts exactly its length and not one frame more.
  const auto out = static_cast<uint64_t>(outputRate_);
  return ((rate << 32) + out - 1) / out;
}

void Mixer::AdvanceVoice(Voice& v, size_t frames) {
  const uint64_t end = static_cast<uint64_t>(v.pcm->Frames()) << 32;
  uint64_t position = v.position + Step(v) * frames;
  if (end == 0 || position >= end) {
    if (v.looping && end != 0) {
      position %= end;
    } else {
      // A one-shot that reaches its end stops and rewinds.
      v.playing = false;
      position = 0;
    }
  }
  v.position = position;
}

void Mixer::MixVoice(Voice& v, float* mix, size_t frames) {
  const Pcm& pcm = *v.pcm;
  const size_t length = pcm.Frames();
  if (length == 0 || (v.gainLeft == 0.0f && v.gainRight == 0.0f)) {
    AdvanceVoice(v, frames);  // silent: keep time without the arithmetic
    return;
  }
  const uint64_t step = Step(v);
  const uint64_t end = static_cast<uint64_t>(length) << 32;
  const uint64_t lastFrame = static_cast<uint64_t>(length - 1) << 32;
  const int16_t* src = pcm.samples.data();
  size_t done = 0;
  while (done < frames) {
    if (v.position >= end) {
      if (!v.looping) {
        v.playing = false;
        v.position = 0;
        return;
      }
      v.position %= end;
    }
    float* out = mix + 2 * done;
    if (v.position < lastFrame) {
      const uint64_t steps = (lastFrame - v.position + step - 1) / step;
      const size_t run = static_cast<size_t>(std::min<uint64_t>(steps, frames - done));
      v.position = pcm.channels == 1 ? MixRun<1>(src, v.position, step, v.gainLeft, v.gainRight, out, run)
                                     : MixRun<2>(src, v.position, step, v.gainLeft, v.gainRight, out, run);
      done += run;
      continue;
    }
    // The last source frame blends into the loop's start, or holds for a one-shot.
    const float frac = static_cast<float>(static_cast<uint32_t>(v.position)) * kFractionScale;
    const size_t last = length - 1;
    const int channels = pcm.channels;
    for (int c = 0; c < 2; ++c) {
      const int ch = channels == 1 ? 0 : c;
      const float a = src[last * channels + ch];
      const float b = v.looping ? src[ch] : a;
      out[c] += (a + (b - a) * frac) * (c == 0 ? v.gainLeft : v.gainRight);
    }
    v.position += step;
    ++done;
  }
}

void Mixer::Render(int16_t* out, size_t frames) {
  std::lock_guard lock(mutex_);
  mix_.assign(frames * 2, 0.0f);
  for (Voice& v : voices_) {
    if (v.inUse && v.playing) MixVoice(v, mix_.data(), frames);
  }
  for (size_t i = 0; i < frames * 2; ++i) {
    const float s = std::clamp(mix_[i], -32768.0f, 32767.0f);
    out[i] = static_cast<int16_t>(std::lrint(s));
  }
}

void Mixer::Advance(size_t frames) {
  std::lock_guard lock(mutex_);
  for (Voice& v : voices_) {
    if (v.inUse && v.playing) AdvanceVoice(v, frames);
  }
}

}  // namespace sb
