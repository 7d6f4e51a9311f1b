// The real host's path from a key press to its sound being mixed: a key-down
// event enters SDL's queue, the host's message pump hands it to a loop like
// the game's, which restarts a sound, and the next audio callback mixes it
// (the sound's play position moves). SDL's disk driver stands in for the
// device and calls back once a period, as a sound card does; what a real
// device's buffer and the sound server add comes on top and is not measured.
//
//   key_to_sound [--presses N] [--frames N]

#include <SDL2/SDL.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/sound_system.h"
#include "hosts/sdl_host.h"
#include "platform/dik.h"

namespace {

int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Every name is one loud second.
class ToneLibrary : public sb::SoundLibrary {
 public:
  std::shared_ptr<const sb::Pcm> Load(std::string_view) override {
    auto pcm = std::make_shared<sb::Pcm>();
    pcm->rate = 22050;
    pcm->samples.assign(22050, 12000);
    return pcm;
  }
};

void PushKey(SDL_EventType type) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.scancode = SDL_SCANCODE_LCTRL;
  SDL_PushEvent(&event);
}

double Percentile(std::vector<int64_t> v, double p) {
  std::sort(v.begin(), v.end());
  return static_cast<double>(v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))]) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  int presses = 300;
  int frames = sb::kAudioPeriodFrames;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--presses") == 0) presses = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
  }
  const auto dir = std::filesystem::temp_directory_path() / ("key_to_sound-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);

  std::vector<int64_t> seen;   // the press reaches the game's keyboard state
  std::vector<int64_t> mixed;  // the sound has been mixed into a period
  {
    sb::SdlHostOptions options;
    options.programDir = options.playerDir = options.instanceDir = dir;
    options.settingsFile = dir / "settings.ini";
    options.sounds = std::make_shared<ToneLibrary>();
    options.audioFrames = frames;
    sb::SdlHost host(options);
    host.ShowMainWindow("key_to_sound");
    sb::SoundSystem sound(host);
    if (!sound.Start()) {
      std::fprintf(stderr, "key_to_sound: no audio\n");
      return 1;
    }
    sb::SoundBuffer tone = sound.Create("tone");
    sb::KeyboardState keys{};
    for (int press = 0; press < presses; ++press) {
      // Presses fall anywhere in the device's period.
      const int64_t until = NowNs() + 2000000 + (press * 7919 % 10000) * 1000;
      while (NowNs() < until) host.Yield();

      const int64_t pressed = NowNs();
      PushKey(SDL_KEYDOWN);
      // The game's loop: yield, poll, and on the press restart the sound.
      do {
        host.Yield();
      } while (host.ReadKeyboard(keys) != sb::KeyboardRead::Ok || !keys[sb::dik::LCONTROL]);
      seen.push_back(NowNs() - pressed);
      tone.Stop();
      tone.SetPosition(0);
      tone.Play();
      while (tone.Position() == 0) host.Yield();
      mixed.push_back(NowNs() - pressed);
      PushKey(SDL_KEYUP);
      tone.Stop();
    }
  }
  std::filesystem::remove_all(dir);

  std::printf("period_frames %d\nperiod_ms %.2f\npresses %zu\n", frames, frames * 1000.0 / 48000, mixed.size());
  std::printf("key_seen_ms_median %.2f\nkey_seen_ms_max %.2f\n", Percentile(seen, 0.5), Percentile(seen, 1.0));
  std::printf("key_to_mixed_ms_median %.2f\nkey_to_mixed_ms_p99 %.2f\nkey_to_mixed_ms_max %.2f\n",
              Percentile(mixed, 0.5), Percentile(mixed, 0.99), Percentile(mixed, 1.0));
  return 0;
}
