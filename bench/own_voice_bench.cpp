// The main menu on the real host, heard at the sound server: from a key in
// the menu to the first sound of its answer, and how long a walk through every
// item takes, in the recorded voice or the player's own (speech-dispatcher).
// Run by scripts/measure-speech, which starts a private speech-dispatcher and
// PulseAudio whose null sink both the game and speech-dispatcher play into;
// this program records that sink's monitor with parec. Only what has words is
// heard: the menu's music, the bleep and every other sound play as silence.
//
//   own_voice PROGRAM_DIR recorded|own [--rounds N]

#include <SDL2/SDL.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/captions.h"
#include "game/game.h"
#include "hosts/disk_sound_library.h"
#include "hosts/mp3_decoder.h"
#include "hosts/sdl_host.h"
#include "menus/menus.h"
#include "platform/runtime_error.h"
#include "program/startup.h"

namespace {

int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The recordings with words as they are; everything else as silence.
class WordsOnly : public sb::SoundLibrary {
 public:
  explicit WordsOnly(const std::filesystem::path& dir) : disk_(dir, sb::OpenMp3File) {}
  std::shared_ptr<const sb::Pcm> Load(std::string_view name) override {
    auto pcm = disk_.Load(name);
    if (!pcm || sb::CaptionFor(name)) return pcm;
    auto silent = std::make_shared<sb::Pcm>(*pcm);
    std::fill(silent->samples.begin(), silent->samples.end(), 0);
    return silent;
  }

 private:
  sb::DiskSoundLibrary disk_;
};

// The sink's monitor: when sound was last heard, and the first sound after a mark.
class Monitor {
 public:
  Monitor() {
    pipe_ = popen("parec -d sbnull.monitor --raw --format=s16le --rate=16000 --channels=1 --latency-msec=2 2>/dev/null", "r");
    if (pipe_) thread_ = std::thread([this] { Listen(); });
  }
  ~Monitor() {
    stop_ = true;
    if (pipe_) pclose(pipe_);
    if (thread_.joinable()) thread_.join();
  }
  bool Ok() const { return pipe_ != nullptr; }
  void Mark() {
    heard_ = 0;
    mark_ = NowNs();
  }
  int64_t FirstHeard() const { return heard_; }
  int64_t LastLoud() const { return lastLoud_; }

 private:
  void Listen() {
    int16_t chunk[32];  // 2 ms
    while (!stop_ && fread(chunk, sizeof chunk, 1, pipe_) == 1) {
      int peak = 0;
      for (const int16_t s : chunk) peak = std::max(peak, std::abs(static_cast<int>(s)));
      if (peak < 300) continue;
      const int64_t now = NowNs();
      lastLoud_ = now;
      if (heard_ == 0 && mark_ != 0 && now > mark_) heard_ = now;
    }
  }
  FILE* pipe_ = nullptr;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int64_t> mark_{0};
  std::atomic<int64_t> heard_{0};
  std::atomic<int64_t> lastLoud_{0};
};

void PushKey(SDL_EventType type, SDL_Scancode key) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.scancode = key;
  SDL_PushEvent(&event);
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Waits until nothing has been heard for `quietMs`; returns when sound was last heard.
int64_t WaitForQuiet(const Monitor& monitor, int quietMs) {
  for (;;) {
    SleepMs(5);
    const int64_t last = monitor.LastLoud();
    if (NowNs() - last > quietMs * 1000000LL) return last;
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: own_voice PROGRAM_DIR recorded|own [--rounds N]\n");
    return 2;
  }
  const std::filesystem::path programDir = argv[1];
  const bool own = std::strcmp(argv[2], "own") == 0;
  const int rounds = argc > 4 && std::strcmp(argv[3], "--rounds") == 0 ? std::atoi(argv[4]) : 2;
  const auto dir = std::filesystem::temp_directory_path() / ("own_voice-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "player");
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "pulseaudio", 1);

  Monitor monitor;
  if (!monitor.Ok()) {
    std::fprintf(stderr, "own_voice: parec cannot record the sink's monitor\n");
    return 1;
  }
  sb::SdlHostOptions options;
  options.programDir = programDir;
  options.playerDir = dir / "player";
  options.settingsFile = dir / "settings.ini";
  options.instanceDir = dir;
  options.sounds = std::make_shared<WordsOnly>(programDir);
  sb::SdlHost host(options);
  host.WriteSetting("Starbarrow", "Speech", "voice", own ? "screen-reader" : "recorded");

  std::vector<double> fromPress, fromRelease, walks;
  std::atomic<bool> done{false};
  std::thread player([&] {
    WaitForQuiet(monitor, 1500);  // the title and the menu's opening prompt
    for (int round = 0; round < rounds; ++round) {
      double walk = 0;
      for (int item = 0; item < 10; ++item) {
        monitor.Mark();
        const int64_t pressed = NowNs();
        PushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN);
        SleepMs(30);
        const int64_t released = NowNs();
        PushKey(SDL_KEYUP, SDL_SCANCODE_DOWN);
        while (monitor.FirstHeard() == 0 && NowNs() - pressed < 10000000000LL) SleepMs(1);
        const int64_t heard = monitor.FirstHeard();
        const int64_t ended = WaitForQuiet(monitor, 400);
        if (heard == 0) continue;
        fromPress.push_back((heard - pressed) / 1e6);
        fromRelease.push_back((heard - released) / 1e6);
        walk += (ended - pressed) / 1e6;
      }
      walks.push_back(walk);
    }
    done = true;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  });
  try {
    sb::RunProgram(host, std::nullopt);
  } catch (const sb::ProgramEnd&) {
  }
  player.join();
  std::filesystem::remove_all(dir);

  std::printf("voice %s\npresses %zu\n", own ? "screen-reader" : "recorded", fromPress.size());
  std::printf("key_press_to_first_sound_ms_median %.1f\nkey_release_to_first_sound_ms_median %.1f\n",
              Median(fromPress), Median(fromRelease));
  std::printf("main_menu_walk_s_median %.2f\n", Median(walks) / 1000);
  return done ? 0 : 1;
}
