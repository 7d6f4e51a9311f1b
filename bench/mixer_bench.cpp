// Seconds of 48 kHz stereo audio mixed per CPU second, with 64 voices whose
// frequencies change every block, as descending aliens' voices do.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "audio/mixer.h"

namespace {

constexpr int kRate = 48000;
constexpr size_t kBlock = 512;
constexpr int kVoices = 64;

std::shared_ptr<sb::Pcm> Tone(int rate, int channels, double hz) {
  auto pcm = std::make_shared<sb::Pcm>();
  pcm->rate = rate;
  pcm->channels = channels;
  const size_t frames = static_cast<size_t>(rate);  // one second
  pcm->samples.resize(frames * static_cast<size_t>(channels));
  for (size_t i = 0; i < pcm->samples.size(); ++i) {
    pcm->samples[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * hz * (i / channels) / rate));
  }
  return pcm;
}

void BM_Mix64Voices(benchmark::State& state) {
  sb::Mixer mixer(kRate);
  std::vector<sb::VoiceId> voices;
  for (int i = 0; i < kVoices; ++i) {
    const bool stereo = i % 8 == 0;
    const auto voice = mixer.CreateVoice(Tone(i % 2 ? 22050 : 44100, stereo ? 2 : 1, 220 + 10 * i));
    mixer.SetVolume(voice, -100 * (i % 20));
    mixer.SetPan(voice, (i * 613) % 20000 - 10000);
    mixer.Play(voice, true);
    voices.push_back(voice);
  }
  std::vector<int16_t> out(kBlock * 2);
  int block = 0;
  for (auto _ : state) {
    for (int i = 0; i < kVoices; ++i) {
      // A voice falls in pitch as its alien descends: 44010 - 2y for y 180..6840.
      const int y = 180 + (block * 7 + i * 101) % 6660;
      mixer.SetFrequency(voices[static_cast<size_t>(i)], static_cast<uint32_t>(44010 - 2 * y));
    }
    mixer.Render(out.data(), kBlock);
    benchmark::DoNotOptimize(out.data());
    ++block;
  }
  state.counters["realtime_x"] = benchmark::Counter(static_cast<double>(kBlock) / kRate,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Mix64Voices);

}  // namespace

BENCHMARK_MAIN();
