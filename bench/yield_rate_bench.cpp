// How many passes a second a busy loop of the real host makes (each pass one
// Yield, as the game loop does), and what share of a core it takes.
// Runs headless: SDL's dummy video driver.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

#include "hosts/sdl_host.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_YieldPasses(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  sb::SdlHostOptions options = sb::DefaultSdlHostOptions();
  options.instanceDir = std::filesystem::temp_directory_path();
  sb::SdlHost host(options);
  host.ShowMainWindow("Starbarrow benchmark");
  int64_t passes = 0;
  double cpu = 0, wall = 0;
  for (auto _ : state) {
    const double cpu0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 10000; ++i) host.Yield();
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cpu += CpuSeconds() - cpu0;
    passes += 10000;
  }
  state.counters["passes_per_s"] = passes / wall;
  state.counters["core_share"] = cpu / wall;
}
BENCHMARK(BM_YieldPasses)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
