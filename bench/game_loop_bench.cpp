// The mean cost of one pass of the game loop on the simulated host, in the
// busiest wave before the last level: level 6 wave 5 (three colours, 56
// aliens), with the ship sweeping the field and firing all the while.
// Each run plays fifteen virtual seconds of the wave (150,000 passes).

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "game/game.h"
#include "game/game_loop.h"
#include "game/scoring.h"
#include "game/settings.h"
#include "game/waves.h"
#include "hosts/sim_host.h"
#include "platform/dik.h"
#include "sound/game_sounds.h"

namespace {

using namespace sb;

constexpr int32_t kPlayMs = 15000;

// The game thread's own time: on a busy machine the wall clock also counts
// the time other programs had the core.
double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Counts the passes the loop makes and ends the run after kPlayMs of play.
class PassCountingHost : public SimHost {
 public:
  using SimHost::SimHost;
  void Yield() override {
    if (counting) {
      ++passes;
      if (Ticks() >= stopAt) throw SimulationEnd{};
    }
    SimHost::Yield();
  }
  bool counting = false;
  int32_t stopAt = 0;
  int64_t passes = 0;
};

// Right and left in turns of 1.5 s, the laser pressed every 120 ms and a
// missile launched every 1.2 s.
std::vector<ScriptEvent> SweepAndFire(int32_t untilMs) {
  std::vector<ScriptEvent> script;
  for (int32_t ms = 0; ms < untilMs; ms += 120) {
    const uint8_t key = ms % 1200 ? dik::LCONTROL : dik::SPACE;
    script.push_back({ms, ScriptEvent::Kind::KeyDown, key});
    script.push_back({ms + 60, ScriptEvent::Kind::KeyUp, key});
  }
  for (int32_t ms = 0, turn = 0; ms < untilMs; ms += 1500, ++turn) {
    const uint8_t key = turn % 2 ? dik::LEFT : dik::RIGHT;
    script.push_back({ms, ScriptEvent::Kind::KeyDown, key});
    script.push_back({ms + 1500, ScriptEvent::Kind::KeyUp, key});
  }
  std::stable_sort(script.begin(), script.end(), [](const auto& a, const auto& b) { return a.ms < b.ms; });
  return script;
}

void BM_GameLoopPass(benchmark::State& state) {
  int64_t passes = 0;
  double seconds = 0, cpuSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SimOptions options;
    options.script = SweepAndFire(600000);
    auto host = std::make_unique<PassCountingHost>(options);
    auto game = std::make_unique<Game>(*host);
    game->sound.Start();
    LoadPlayerFiles(*game);
    LoadGameSounds(*game);
    game->startup.soundsLoaded = true;
    game->state.Difficulty = 2;
    ResetGameState(*game);
    game->state.Level = 6;
    game->state.Wave = 5;
    StartWave(*game);
    host->counting = true;
    host->stopAt = host->Ticks() + kPlayMs;
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    try {
      GameLoop(*game);
    } catch (const SimulationEnd&) {
    }
    cpuSeconds += ThreadCpuSeconds() - cpuStart;
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    passes += host->passes;
    game.reset();
    host.reset();
    state.ResumeTiming();
  }
  const double n = passes ? static_cast<double>(passes) : 1.0;
  state.counters["pass_ns"] = seconds * 1e9 / n;
  state.counters["pass_cpu_ns"] = cpuSeconds * 1e9 / n;
  state.counters["passes"] = static_cast<double>(passes);
}
BENCHMARK(BM_GameLoopPass)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
