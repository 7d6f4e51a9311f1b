// The real host's pacing during play: how many passes a second the game loop
// makes, and what share of one core the game thread takes, in level 6 wave 5
// with the ship sweeping the field and firing. Headless: SDL's dummy video and
// audio drivers (the dummy audio device still pulls the mixer in real time on
// its own thread). The recordings are silent ones of 500 ms.
//
//   play_pacing [--seconds N]     (default 10 seconds of play)

#include <SDL2/SDL.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "game/game.h"
#include "game/game_loop.h"
#include "game/scoring.h"
#include "game/settings.h"
#include "game/waves.h"
#include "hosts/sdl_host.h"
#include "hosts/virtual_sound_library.h"
#include "platform/key_map.h"
#include "sound/game_sounds.h"

namespace {

using namespace sb;
using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct KeyEvent {
  int32_t ms;
  bool down;
  SDL_Scancode key;
};

// Right and left in turns of 1.5 s, the laser pressed every 120 ms and a
// missile launched every 1.2 s: the same play as the game-loop benchmark.
std::vector<KeyEvent> SweepAndFire(int32_t untilMs) {
  std::vector<KeyEvent> keys;
  for (int32_t ms = 0; ms < untilMs; ms += 120) {
    const SDL_Scancode key = ms % 1200 ? SDL_SCANCODE_LCTRL : SDL_SCANCODE_SPACE;
    keys.push_back({ms, true, key});
    keys.push_back({ms + 60, false, key});
  }
  for (int32_t ms = 0, turn = 0; ms < untilMs; ms += 1500, ++turn) {
    const SDL_Scancode key = turn % 2 ? SDL_SCANCODE_LEFT : SDL_SCANCODE_RIGHT;
    keys.push_back({ms, true, key});
    keys.push_back({ms + 1500, false, key});
  }
  std::stable_sort(keys.begin(), keys.end(), [](const KeyEvent& a, const KeyEvent& b) { return a.ms < b.ms; });
  return keys;
}

struct PlayOver {};

// Presses the keys through SDL's event queue as a keyboard would, and counts
// the game loop's passes until the play time is over.
class PacedHost : public SdlHost {
 public:
  using SdlHost::SdlHost;

  void Start(int32_t playMs) {
    counting_ = true;
    startMs_ = Ticks();
    playMs_ = playMs;
    keys_ = SweepAndFire(playMs);
    wallStart_ = Clock::now();
    cpuStart_ = ThreadCpuSeconds();
  }

  void Yield() override {
    SdlHost::Yield();
    if (!counting_) return;
    ++passes;
    const int32_t now = Ticks() - startMs_;
    while (next_ < keys_.size() && keys_[next_].ms <= now) Press(keys_[next_++]);
    if (now < playMs_) return;
    cpuSeconds = ThreadCpuSeconds() - cpuStart_;
    wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart_).count();
    throw PlayOver{};
  }

  int64_t passes = 0;
  double cpuSeconds = 0, wallSeconds = 0;

 private:
  static void Press(const KeyEvent& k) {
    SDL_Event event{};
    event.type = k.down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = k.down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = k.key;
    SDL_PushEvent(&event);
  }

  bool counting_ = false;
  int32_t startMs_ = 0, playMs_ = 0;
  std::vector<KeyEvent> keys_;
  size_t next_ = 0;
  Clock::time_point wallStart_;
  double cpuStart_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  int seconds = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atoi(argv[i + 1]);
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const auto root = std::filesystem::temp_directory_path() / ("starbarrow-pacing-" + std::to_string(getpid()));
  SdlHostOptions options;
  options.programDir = root / "program";
  options.playerDir = root / "player";
  options.settingsFile = root / "settings.ini";
  options.instanceDir = root;
  options.sounds = std::make_shared<VirtualSoundLibrary>();
  std::filesystem::create_directories(options.programDir);
  {
    const auto bytes = EncodeKeyMap(DefaultActionTable());
    FILE* f = std::fopen((options.programDir / kKeyMapFileName).c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  {
    PacedHost host(options);
    host.ShowMainWindow("Starbarrow pacing");
    Game game(host);
    game.sound.Start();
    LoadPlayerFiles(game);
    LoadGameSounds(game);
    game.startup.soundsLoaded = true;
    game.state.Difficulty = 2;
    ResetGameState(game);
    game.state.Level = 6;
    game.state.Wave = 5;
    StartWave(game);
    host.Start(seconds * 1000);
    try {
      GameLoop(game);
    } catch (const PlayOver&) {
    }
    std::printf("play: %.1f s of level 6 wave 5\n", host.wallSeconds);
    std::printf("passes_per_s: %.0f\n", static_cast<double>(host.passes) / host.wallSeconds);
    std::printf("game_thread_core_share: %.2f %%\n", 100.0 * host.cpuSeconds / host.wallSeconds);
    std::printf("cpu_per_pass_ns: %.0f\n", 1e9 * host.cpuSeconds / static_cast<double>(host.passes));
  }
  std::filesystem::remove_all(root);
  return 0;
}
