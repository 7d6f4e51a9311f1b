#include "audio/mixer.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace sb {

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

static_assert(std::atomic<uint64_t>::is_always_lock_free && std::atomic<const Pcm*>::is_always_lock_free,
              "the renderer must never wait on a lock hidden in an atomic");

// A voice's play state, one word that the game thread (play, stop, set
// position) and the renderer (moving on, stopping at the end) both update
// with compare-and-swap. The epoch moves on each time the game sets the
// position, so the renderer knows to take the new one and to drop its own.
struct Transport {
  uint32_t frame = 0;  // whole source frames
  bool playing = false;
  bool looping = false;
  uint32_t epoch = 0;  // 30 bits

  static Transport Of(uint64_t word) {
    return {static_cast<uint32_t>(word), ((word >> 32) & 1) != 0, ((word >> 33) & 1) != 0,
            static_cast<uint32_t>(word >> 34)};
  }
  uint64_t Word() const {
    return frame | uint64_t{playing} << 32 | uint64_t{looping} << 33 | uint64_t{epoch & 0x3FFFFFFF} << 34;
  }
};

uint64_t PackGains(float left, float right) {
  return std::bit_cast<uint32_t>(left) | uint64_t{std::bit_cast<uint32_t>(right)} << 32;
}

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

// Where one voice is while the renderer works on it.
struct Mixer::Cursor {
  uint64_t position;
  bool looping;
  bool playing;
  float gainLeft;
  float gainRight;
};

// Marks a render as running, so that a destroyed voice's recording outlives it.
class Mixer::RenderScope {
 public:
  explicit RenderScope(std::atomic<uint64_t>& renders) : renders_(renders) { renders_.fetch_add(1); }
  ~RenderScope() { renders_.fetch_add(1); }
  RenderScope(const RenderScope&) = delete;
  RenderScope& operator=(const RenderScope&) = delete;

 private:
  std::atomic<uint64_t>& renders_;
};

float GainOfMillibels(int32_t millibels) {
  if (millibels <= kVolumeMin) return 0.0f;
  if (millibels >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, millibels / 2000.0));
}

Mixer::Mixer(int outputRate) : outputRate_(outputRate > 0 ? outputRate : 48000) {}

Mixer::~Mixer() = default;

void Mixer::SetOutputRate(int rate) {
  if (rate > 0) outputRate_.store(rate, std::memory_order_relaxed);
}

int Mixer::OutputRate() const { return outputRate_.load(std::memory_order_relaxed); }

VoiceId Mixer::CreateVoice(std::shared_ptr<const Pcm> pcm) {
  Reclaim();
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (voiceCount_ == kMaxVoices) return VoiceId{};
    if (voiceCount_ % kChunkVoices == 0) chunks_[voiceCount_ / kChunkVoices] = std::make_unique<Voice[]>(kChunkVoices);
    index = static_cast<uint32_t>(voiceCount_++);
  }
  Voice& v = At(index);
  // No render reads this voice now: it is new, or its last render is over.
  v.owner = std::move(pcm);
  v.inUse = true;
  ++v.generation;
  v.volume = 0;
  v.pan = 0;
  v.frequency = 0;
  v.position = 0;
  v.epoch = 0;
  v.transport.store(Transport{}.Word(), std::memory_order_relaxed);
  PublishGains(v);
  PublishRate(v);
  v.pcm.store(v.owner.get(), std::memory_order_release);
  if (index >= published_.load(std::memory_order_relaxed)) published_.store(voiceCount_, std::memory_order_release);
  return VoiceId{index, v.generation};
}

void Mixer::DestroyVoice(VoiceId id) {
  Voice* v = Find(id);
  if (!v) return;
  v->inUse = false;
  v->pcm.store(nullptr);
  // A render that began before the line above may still be mixing this voice.
  retired_.push_back({id.index, renders_.load(), std::move(v->owner)});
  Reclaim();
}

void Mixer::Reclaim() {
  if (retired_.empty()) return;
  const uint64_t now = renders_.load();
  std::erase_if(retired_, [&](Retired& r) {
    // An even count: no render was running; a changed one: that render is over.
    if (r.renders % 2 != 0 && r.renders == now) return false;
    free_.push_back(r.index);
    return true;
  });
}

Mixer::Voice* Mixer::Find(VoiceId id) const {
  if (id.index >= voiceCount_) return nullptr;
  Voice& v = At(id.index);
  return v.inUse && v.generation == id.generation ? &v : nullptr;
}

template <typename Change>
void Mixer::ChangeTransport(Voice& v, Change change) {
  uint64_t word = v.transport.load(std::memory_order_acquire);
  for (;;) {
    Transport t = Transport::Of(word);
    change(t);
    if (v.transport.compare_exchange_weak(word, t.Word(), std::memory_order_acq_rel, std::memory_order_acquire)) return;
  }
}

void Mixer::PublishSamples(VoiceId id) {
  // The renderer takes the transport word with acquire before it reads a
  // voice's samples; a release on the same word orders the writes before it.
  if (Voice* v = Find(id)) v->transport.fetch_or(0, std::memory_order_release);
}

void Mixer::Play(VoiceId id, bool looping) {
  if (Voice* v = Find(id)) {
    ChangeTransport(*v, [&](Transport& t) {
      t.playing = true;
      t.looping = looping;
    });
  }
}

void Mixer::Stop(VoiceId id) {
  if (Voice* v = Find(id)) ChangeTransport(*v, [](Transport& t) { t.playing = false; });
}

void Mixer::SetPosition(VoiceId id, uint32_t frame) {
  if (Voice* v = Find(id)) {
    const auto frames = static_cast<uint32_t>(std::min<size_t>(v->owner->Frames(), UINT32_MAX));
    ChangeTransport(*v, [&](Transport& t) {
      t.frame = std::min(frame, frames);
      ++t.epoch;
    });
  }
}

void Mixer::SetVolume(VoiceId id, int32_t millibels) {
  if (Voice* v = Find(id)) {
    v->volume = std::clamp(millibels, kVolumeMin, kVolumeMax);
    PublishGains(*v);
  }
}

void Mixer::SetPan(VoiceId id, int32_t millibels) {
  if (Voice* v = Find(id)) {
    v->pan = std::clamp(millibels, kPanLeft, kPanRight);
    PublishGains(*v);
  }
}

void Mixer::SetFrequency(VoiceId id, uint32_t hertz) {
  if (Voice* v = Find(id)) {
    v->frequency = hertz == 0 ? 0 : std::clamp(hertz, kFrequencyMin, kFrequencyMax);
    PublishRate(*v);
  }
}

void Mixer::PublishGains(Voice& v) {
  // Pan attenuates only the opposite channel; both add to the volume in dB.
  const float left = GainOfMillibels(v.volume - std::max(v.pan, 0));
  const float right = GainOfMillibels(v.volume + std::min(v.pan, 0));
  v.gains.store(PackGains(left, right), std::memory_order_relaxed);
}

void Mixer::PublishRate(Voice& v) {
  v.rate.store(v.frequency != 0 ? v.frequency : static_cast<uint32_t>(std::max(v.owner->rate, 1)),
               std::memory_order_relaxed);
}

uint32_t Mixer::Status(VoiceId id) const {
  const Voice* v = Find(id);
  if (!v) return 0;
  const Transport t = Transport::Of(v->transport.load(std::memory_order_acquire));
  if (!t.playing) return 0;
  return kStatusPlaying | (t.looping ? kStatusLooping : 0);
}

int32_t Mixer::Volume(VoiceId id) const {
  const Voice* v = Find(id);
  return v ? v->volume : 0;
}

int32_t Mixer::Pan(VoiceId id) const {
  const Voice* v = Find(id);
  return v ? v->pan : 0;
}

uint32_t Mixer::Frequency(VoiceId id) const {
  const Voice* v = Find(id);
  return v ? v->rate.load(std::memory_order_relaxed) : 0;
}

uint32_t Mixer::Position(VoiceId id) const {
  const Voice* v = Find(id);
  return v ? Transport::Of(v->transport.load(std::memory_order_acquire)).frame : 0;
}

size_t Mixer::ActiveVoices() const {
  size_t active = 0;
  for (size_t i = 0; i < voiceCount_; ++i) {
    const Voice& v = At(i);
    if (v.inUse && Transport::Of(v.transport.load(std::memory_order_acquire)).playing) ++active;
  }
  return active;
}

size_t Mixer::LiveVoices() const {
  size_t live = 0;
  for (size_t i = 0; i < voiceCount_; ++i) {
    if (At(i).inUse) ++live;
  }
  return live;
}

uint64_t Mixer::Step(const Voice& v) const {
  const uint64_t rate = v.rate.load(std::memory_order_relaxed);
  // Rounded up, so that a sound lasts exactly its length and not one frame more.
  const auto out = static_cast<uint64_t>(outputRate_.load(std::memory_order_relaxed));
  return ((rate << 32) + out - 1) / out;
}

void Mixer::AdvanceCursor(const Pcm& pcm, uint64_t step, Cursor& c, size_t frames) {
  const uint64_t end = static_cast<uint64_t>(pcm.Frames()) << 32;
  uint64_t position = c.position + step * frames;
  if (end == 0 || position >= end) {
    if (c.looping && end != 0) {
      position %= end;
    } else {
      // A one-shot that reaches its end stops and rewinds.
      c.playing = false;
      position = 0;
    }
  }
  c.position = position;
}

void Mixer::MixVoice(const Pcm& pcm, uint64_t step, Cursor& c, float* mix, size_t frames) const {
  const size_t length = pcm.Frames();
  if (length == 0 || (c.gainLeft == 0.0f && c.gainRight == 0.0f)) {
    AdvanceCursor(pcm, step, c, frames);  // silent: keep time without the arithmetic
    return;
  }
  const uint64_t end = static_cast<uint64_t>(length) << 32;
  const uint64_t lastFrame = static_cast<uint64_t>(length - 1) << 32;
  const int16_t* src = pcm.samples.data();
  size_t done = 0;
  while (done < frames) {
    if (c.position >= end) {
      if (!c.looping) {
        c.playing = false;
        c.position = 0;
        return;
      }
      c.position %= end;
    }
    float* out = mix + 2 * done;
    if (c.position < lastFrame) {
      const uint64_t steps = (lastFrame - c.position + step - 1) / step;
      const size_t run = static_cast<size_t>(std::min<uint64_t>(steps, frames - done));
      c.position = pcm.channels == 1 ? MixRun<1>(src, c.position, step, c.gainLeft, c.gainRight, out, run)
                                     : MixRun<2>(src, c.position, step, c.gainLeft, c.gainRight, out, run);
      done += run;
      continue;
    }
    // The last source frame blends into the loop's start, or holds for a one-shot.
    const float frac = static_cast<float>(static_cast<uint32_t>(c.position)) * kFractionScale;
    const size_t last = length - 1;
    const int channels = pcm.channels;
    for (int ch = 0; ch < 2; ++ch) {
      const int from = channels == 1 ? 0 : ch;
      const float a = src[last * channels + from];
      const float b = c.looping ? src[from] : a;
      out[ch] += (a + (b - a) * frac) * (ch == 0 ? c.gainLeft : c.gainRight);
    }
    c.position += step;
    ++done;
  }
}

// Moves every playing voice on by `frames`, mixing into `mix` unless it is null.
void Mixer::RenderVoices(float* mix, size_t frames) {
  const size_t count = published_.load(std::memory_order_acquire);
  for (size_t i = 0; i < count; ++i) {
    Voice& v = At(i);
    const Pcm* pcm = v.pcm.load(std::memory_order_acquire);
    if (!pcm) continue;
    uint64_t word = v.transport.load(std::memory_order_acquire);
    const Transport seen = Transport::Of(word);
    if (!seen.playing) continue;
    if (seen.epoch != v.epoch) {
      v.position = uint64_t{seen.frame} << 32;
      v.epoch = seen.epoch;
    }
    const uint64_t gains = v.gains.load(std::memory_order_relaxed);
    Cursor c{v.position, seen.looping, true, std::bit_cast<float>(static_cast<uint32_t>(gains)),
             std::bit_cast<float>(static_cast<uint32_t>(gains >> 32))};
    const uint64_t step = Step(v);
    if (mix) {
      MixVoice(*pcm, step, c, mix, frames);
    } else {
      AdvanceCursor(*pcm, step, c, frames);
    }
    v.position = c.position;
    // Publish the new place, unless the game set one meanwhile: then its word stands.
    for (;;) {
      Transport t = Transport::Of(word);
      if (t.epoch != v.epoch) break;
      t.frame = static_cast<uint32_t>(c.position >> 32);
      if (!c.playing && !t.looping) t.playing = false;
      if (v.transport.compare_exchange_weak(word, t.Word(), std::memory_order_acq_rel, std::memory_order_acquire)) {
        break;
      }
    }
  }
}

void Mixer::Render(int16_t* out, size_t frames) {
  RenderScope scope(renders_);
  while (frames > 0) {
    const size_t n = std::min(frames, kMixFrames);
    std::fill_n(mix_.begin(), 2 * n, 0.0f);
    RenderVoices(mix_.data(), n);
    for (size_t i = 0; i < 2 * n; ++i) {
      const float s = std::clamp(mix_[i], -32768.0f, 32767.0f);
      out[i] = static_cast<int16_t>(std::lrint(s));
    }
    out += 2 * n;
    frames -= n;
  }
}

void Mixer::Advance(size_t frames) {
  RenderScope scope(renders_);
  RenderVoices(nullptr, frames);
}

}  // namespace sb
