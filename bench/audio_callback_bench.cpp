// How long the audio callback takes, and how often it is late, while the game
// thread changes every voice's volume, pan and frequency as fast as it can.
// 64 looping voices play through SDL's audio thread on the disk driver
// (output to /dev/null unless SDL_DISKAUDIOFILE says otherwise).
//
//   audio_callback [--seconds N] [--frames N]
//
// A callback is late when it starts more than one device period after the
// driver was due to call it: a real device would have run dry by then.
// Each callback is timed twice: on the wall clock (what the device waits) and
// in the audio thread's own CPU time (the work alone). A wide gap between the
// two is time the callback spent waiting, or the machine spent elsewhere.

#include <SDL2/SDL.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/mixer.h"
#include "hosts/sdl_host.h"

namespace {

constexpr int kRate = 48000;
constexpr int kVoices = 64;

int64_t NowNs(clockid_t clock = CLOCK_MONOTONIC) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

std::shared_ptr<sb::Pcm> Tone(int rate, int channels, double hz) {
  auto pcm = std::make_shared<sb::Pcm>();
  pcm->rate = rate;
  pcm->channels = channels;
  pcm->samples.resize(static_cast<size_t>(rate) * static_cast<size_t>(channels));
  for (size_t i = 0; i < pcm->samples.size(); ++i) {
    pcm->samples[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * hz * static_cast<double>(i / channels) / rate));
  }
  return pcm;
}

// Filled by the callback into room made beforehand.
struct Timings {
  sb::Mixer* mixer = nullptr;
  std::vector<int64_t> starts;
  std::vector<int64_t> durations;
  std::vector<int64_t> cpu;
  std::atomic<size_t> count{0};
};

void Callback(void* user, Uint8* stream, int length) {
  auto* t = static_cast<Timings*>(user);
  const int64_t start = NowNs();
  const int64_t cpuStart = NowNs(CLOCK_THREAD_CPUTIME_ID);
  t->mixer->Render(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / (2 * sizeof(int16_t)));
  const int64_t cpuEnd = NowNs(CLOCK_THREAD_CPUTIME_ID);
  const int64_t end = NowNs();
  const size_t i = t->count.load(std::memory_order_relaxed);
  if (i < t->starts.size()) {
    t->starts[i] = start;
    t->durations[i] = end - start;
    t->cpu[i] = cpuEnd - cpuStart;
    t->count.store(i + 1, std::memory_order_release);
  }
}

double Percentile(std::vector<int64_t> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto at = static_cast<size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
  return static_cast<double>(values[std::min(at, values.size() - 1)]);
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 30;
  int frames = sb::kAudioPeriodFrames;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
  }
  setenv("SDL_AUDIODRIVER", "disk", 0);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
  if (SDL_Init(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "audio_callback: %s\n", SDL_GetError());
    return 1;
  }

  sb::Mixer mixer(kRate);
  std::vector<sb::VoiceId> voices;
  for (int i = 0; i < kVoices; ++i) {
    const auto voice = mixer.CreateVoice(Tone(i % 2 ? 22050 : 44100, i % 8 == 0 ? 2 : 1, 220 + 10 * i));
    mixer.Play(voice, true);
    voices.push_back(voice);
  }
  Timings timings;
  timings.mixer = &mixer;
  const auto room = static_cast<size_t>(seconds * kRate / frames * 1.2) + 1000;
  timings.starts.resize(room);
  timings.durations.resize(room);
  timings.cpu.resize(room);

  SDL_AudioSpec want{};
  SDL_AudioSpec have{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = static_cast<Uint16>(frames);
  want.callback = Callback;
  want.userdata = &timings;
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    std::fprintf(stderr, "audio_callback: %s\n", SDL_GetError());
    return 1;
  }
  SDL_PauseAudioDevice(device, 0);

  // The game thread: every voice's settings change, and its status is asked, over and over.
  const int64_t stop = NowNs() + static_cast<int64_t>(seconds * 1e9);
  int64_t changes = 0;
  for (int round = 0; NowNs() < stop; ++round) {
    for (int i = 0; i < kVoices; ++i) {
      const sb::VoiceId v = voices[static_cast<size_t>(i)];
      const int y = 180 + (round * 7 + i * 101) % 6660;
      mixer.SetFrequency(v, static_cast<uint32_t>(44010 - 2 * y));
      mixer.SetVolume(v, -(round + i) % 3000);
      mixer.SetPan(v, (round * 13 + i * 613) % 20000 - 10000);
      if (!(mixer.Status(v) & sb::kStatusPlaying)) std::fprintf(stderr, "audio_callback: a voice stopped\n");
      changes += 3;
    }
  }
  SDL_CloseAudioDevice(device);
  SDL_Quit();

  const size_t n = timings.count.load(std::memory_order_acquire);
  timings.starts.resize(n);
  timings.durations.resize(n);
  timings.cpu.resize(n);
  const double periodNs = 1e9 * have.samples / have.freq;
  // The disk driver sleeps a whole number of milliseconds between calls.
  const double dueNs = 1e6 * (have.samples * 1000 / have.freq);
  int late = 0;
  int64_t worstGap = 0;
  for (size_t i = 1; i < n; ++i) {
    const int64_t gap = timings.starts[i] - timings.starts[i - 1];
    worstGap = std::max(worstGap, gap);
    if (static_cast<double>(gap) > dueNs + periodNs) ++late;
  }
  std::printf("period_frames %d\nperiod_us %.0f\nseconds %.0f\ncallbacks %zu\n", have.samples, periodNs / 1e3, seconds,
              n);
  std::printf("callback_median_us %.1f\ncallback_p99.9_us %.1f\ncallback_worst_us %.1f\n",
              Percentile(timings.durations, 0.5) / 1e3, Percentile(timings.durations, 0.999) / 1e3,
              Percentile(timings.durations, 1.0) / 1e3);
  std::printf("callback_cpu_median_us %.1f\ncallback_cpu_p99.9_us %.1f\ncallback_cpu_worst_us %.1f\n",
              Percentile(timings.cpu, 0.5) / 1e3, Percentile(timings.cpu, 0.999) / 1e3,
              Percentile(timings.cpu, 1.0) / 1e3);
  double load[1] = {0};
  getloadavg(load, 1);
  std::printf("late_callbacks %d\nload_average %.1f\nworst_gap_us %.0f\nsettings_changes_per_s %.0f\n", late,
              load[0], static_cast<double>(worstGap) / 1e3, static_cast<double>(changes) / seconds);
  return 0;
}
