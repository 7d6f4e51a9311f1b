// The real host's sound output going away and coming back, headless: SDL's
// disk audio driver writes what the mixer rendered to a file, and the test
// announces devices lost and found the way SDL does, with its events.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>

#include "audio/mixer.h"
#include "hosts/file_store.h"
#include "hosts/sdl_host.h"
#include "support/host_options.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

// A recording whose every frame holds its own number, from 1: the output then
// shows exactly which frames were played, and in what order, and 0 is silence.
constexpr int kRampFrames = 24000;

std::shared_ptr<const Pcm> Ramp() {
  auto pcm = std::make_shared<Pcm>();
  pcm->rate = 48000;  // the device's rate: one source frame per output frame
  for (int i = 1; i <= kRampFrames; ++i) pcm->samples.push_back(static_cast<int16_t>(i));
  return pcm;
}

// The left channel of a file the disk driver wrote, from its first sound on:
// a device writes silence while it waits, opened but not yet started.
std::vector<int> LeftChannel(const std::filesystem::path& file) {
  std::vector<int> out;
  const auto raw = ReadWholeFile(file);
  if (!raw) return out;
  for (size_t i = 0; i + 3 < raw->size(); i += 4) {
    const int sample = static_cast<int16_t>((*raw)[i] | (*raw)[i + 1] << 8);
    if (sample != 0 || !out.empty()) out.push_back(sample);
  }
  return out;
}

int NextFrame(int frame) { return frame % kRampFrames + 1; }

// Where the ramp runs on by more than one frame, or goes back: frames lost or doubled.
int FirstBreak(const std::vector<int>& frames) {
  for (size_t i = 1; i < frames.size(); ++i) {
    if (frames[i] != NextFrame(frames[i - 1])) return static_cast<int>(i);
  }
  return -1;
}

void PushDeviceEvent(Uint32 type, Uint32 which) {
  SDL_Event event{};
  event.type = type;
  event.adevice.type = type;
  event.adevice.which = which;
  event.adevice.iscapture = 0;
  ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

struct SdlAudioDevice : ::testing::Test {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() / "first.raw").c_str(), 1);
    options = test::HostOptionsIn(dir.path());
    options.sounds = std::make_shared<DiskSoundLibrary>(options.programDir, nullptr);
  }
  // The main loop's passes until `done`, at most `passes` of them.
  static bool PassUntil(SdlHost& host, int passes, const std::function<bool()>& done) {
    for (int i = 0; i < passes; ++i) {
      if (done()) return true;
      host.Yield();
    }
    return done();
  }
  VoiceId PlayRamp() {
    const VoiceId voice = mixer.CreateVoice(Ramp());
    mixer.Play(voice, true);
    return voice;
  }
  static bool Written(const std::filesystem::path& file, uintmax_t bytes) {
    std::error_code ec;
    return std::filesystem::file_size(file, ec) >= bytes && !ec;
  }

  test::TempDir dir;
  SdlHostOptions options;
  Mixer mixer{22050};
  // A pass of the main loop lasts at least a millisecond of the host's clock
  // every 13 passes: this many passes make more than a second of it.
  static constexpr int kPassesInASecond = 13 * 1100;
  // The passes that fetch window and device messages once.
  static constexpr int kPassesOfOneFetch = 13;
};

// The device goes away under a looping sound: the host opens the default one
// at its next look at the messages, says so on stderr, and the sound carries
// on from the very frame after the last one the lost device played.
TEST_F(SdlAudioDevice, ALostDeviceIsReplacedAndTheSoundGoesOnWhereItWas) {
  const VoiceId voice = PlayRamp();  // from the device's first frame
  SdlHost host(options);
  ASSERT_TRUE(host.StartAudio(mixer));
  ASSERT_TRUE(PassUntil(host, kPassesInASecond, [&] { return Written(dir.path() / "first.raw", 16384); }));

  // The default device now writes elsewhere, so the two devices' frames can be told apart.
  setenv("SDL_DISKAUDIOFILE", (dir.path() / "second.raw").c_str(), 1);
  testing::internal::CaptureStderr();
  const auto lost = std::chrono::steady_clock::now();
  PushDeviceEvent(SDL_AUDIODEVICEREMOVED, host.Audio().Device());
  const bool reopened = PassUntil(host, kPassesOfOneFetch, [&] { return host.Audio().Opens() == 2; });
  const auto took = std::chrono::steady_clock::now() - lost;
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(reopened) << "the default device opened at the next look at the messages";
  std::cout << "[ measured ] the default device played "
            << std::chrono::duration_cast<std::chrono::microseconds>(took).count()
            << " us after the removal event was posted\n";
  // The disk driver says where it writes, too.
  EXPECT_NE(err.find("\nstarbarrow: the sound device went away; playing through the default one\n"),
            std::string::npos)
      << err;
  EXPECT_NE(host.Audio().Device(), 0u);

  ASSERT_TRUE(PassUntil(host, kPassesInASecond, [&] { return Written(dir.path() / "second.raw", 16384); }));
  EXPECT_EQ(mixer.Status(voice), kStatusPlaying | kStatusLooping);
  host.StopAudio();

  const std::vector<int> before = LeftChannel(dir.path() / "first.raw");
  const std::vector<int> after = LeftChannel(dir.path() / "second.raw");
  ASSERT_FALSE(before.empty());
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(FirstBreak(before), -1) << before.front();
  EXPECT_EQ(FirstBreak(after), -1) << after.front();
  EXPECT_EQ(before.front(), 1);
  EXPECT_EQ(after.front(), NextFrame(before.back())) << "no frame lost or played twice";
}

// The highest ramp frame a pipe's reader has taken from the disk driver so
// far; `bytes` keeps what did not yet make a whole frame.
int ReadRampFrames(int reader, std::vector<uint8_t>& bytes, int heard) {
  uint8_t chunk[4096];
  for (ssize_t got; (got = read(reader, chunk, sizeof chunk)) > 0;) bytes.insert(bytes.end(), chunk, chunk + got);
  size_t i = 0;
  for (; i + 3 < bytes.size(); i += 4) {
    heard = std::max(heard, static_cast<int>(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8)));
  }
  bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(i));
  return heard;
}

// SDL itself finds the device gone: the disk driver writing into a pipe whose
// reader has gone gives up on its device as a sound card unplugged does, and
// the default one takes over within a second. The reader stays until it has
// heard the ramp begin, so the sound is known to have played before the
// device failed (a device that fails before its first sound would rightly
// start the ramp from its beginning).
TEST_F(SdlAudioDevice, ADeviceThatFailsUnderTheMixerIsReplaced) {
  const std::filesystem::path pipe = dir.path() / "first.pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  // A write into the closed pipe then fails, as a write to a lost device does, instead of ending the tests.
  const auto previousSigpipe = signal(SIGPIPE, SIG_IGN);
  setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
  const VoiceId voice = PlayRamp();
  SdlHost host(options);
  ASSERT_TRUE(host.StartAudio(mixer));
  setenv("SDL_DISKAUDIOFILE", (dir.path() / "second.raw").c_str(), 1);
  std::vector<uint8_t> bytes;
  int heard = 0;
  const bool begun =
      PassUntil(host, kPassesInASecond, [&] { return (heard = ReadRampFrames(reader, bytes, heard)) > 0; });
  close(reader);
  ASSERT_TRUE(begun) << "the first device played the ramp";
  testing::internal::CaptureStderr();
  const bool reopened = PassUntil(host, kPassesInASecond, [&] { return host.Audio().Opens() == 2; });
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(reopened) << err;
  EXPECT_NE(err.find("the sound device went away; playing through the default one"), std::string::npos) << err;
  ASSERT_TRUE(PassUntil(host, kPassesInASecond, [&] { return Written(dir.path() / "second.raw", 16384); }));
  EXPECT_EQ(mixer.Status(voice), kStatusPlaying | kStatusLooping);
  host.StopAudio();
  signal(SIGPIPE, previousSigpipe);
  const std::vector<int> after = LeftChannel(dir.path() / "second.raw");
  ASSERT_FALSE(after.empty());
  EXPECT_NE(after.front(), 1) << "the sound went on from where it was, not from its start";
  EXPECT_EQ(FirstBreak(after), -1);
}

// The game goes on in silence while no device opens, tries again about once
// a second, and plays again once one opens.
TEST_F(SdlAudioDevice, WithNoDeviceTheGameGoesOnSilentlyAndTriesAgain) {
  SdlHost host(options);
  ASSERT_TRUE(host.StartAudio(mixer));
  const VoiceId voice = PlayRamp();
  setenv("SDL_DISKAUDIOFILE", (dir.path() / "unplugged" / "out.raw").c_str(), 1);  // will not open
  testing::internal::CaptureStderr();
  PushDeviceEvent(SDL_AUDIODEVICEREMOVED, host.Audio().Device());
  PassUntil(host, kPassesOfOneFetch * 2, [] { return false; });
  EXPECT_EQ(host.Audio().Device(), 0u);
  const uint32_t silentAt = mixer.Position(voice);
  PassUntil(host, kPassesOfOneFetch * 10, [] { return false; });
  EXPECT_EQ(mixer.Position(voice), silentAt) << "nothing renders the mixer while silent";
  EXPECT_EQ(mixer.Status(voice), kStatusPlaying | kStatusLooping);

  std::filesystem::create_directories(dir.path() / "unplugged");
  const bool back = PassUntil(host, kPassesInASecond, [&] { return host.Audio().Opens() == 2; });
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(back) << err;
  EXPECT_NE(err.find("the sound device went away and no other opens"), std::string::npos) << err;
  EXPECT_NE(err.find("starbarrow: sound is back, through the default device\n"), std::string::npos) << err;
  EXPECT_EQ(err.find("starbarrow:", err.find("no other opens") + 1), err.find("starbarrow: sound is back"))
      << "one line when it went silent, one when it came back: " << err;
  EXPECT_TRUE(PassUntil(host, kPassesInASecond, [&] { return mixer.Position(voice) != silentAt; }));
}

// The device the player chose goes away: the default one takes over; when the
// chosen one is announced again, the game moves back to it. SDL's dummy
// driver has one device, under SDL's name for the default, which serves as
// the chosen one here; the disk driver would take any name for a file.
TEST_F(SdlAudioDevice, TheChosenDeviceIsTakenBackWhenItReturns) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string chosen = "System audio output device";
  options.audioDevice = chosen;
  SdlHost host(options);
  ASSERT_TRUE(host.StartAudio(mixer));
  const VoiceId voice = PlayRamp();
  mixer.SetPan(voice, -300);
  mixer.SetFrequency(voice, 30000);
  ASSERT_TRUE(host.Audio().OnChosen());

  testing::internal::CaptureStderr();
  PushDeviceEvent(SDL_AUDIODEVICEREMOVED, host.Audio().Device());
  ASSERT_TRUE(PassUntil(host, kPassesOfOneFetch, [&] { return host.Audio().Opens() == 2; }));
  EXPECT_FALSE(host.Audio().OnChosen());
  PushDeviceEvent(SDL_AUDIODEVICEADDED, 0);  // the index of the output in SDL's list
  ASSERT_TRUE(PassUntil(host, kPassesOfOneFetch, [&] { return host.Audio().Opens() == 3; }));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(host.Audio().OnChosen());
  EXPECT_EQ(err,
            "starbarrow: the sound device went away; playing through the default one\n"
            "starbarrow: the sound device \"" + chosen + "\" is back; playing through it again\n");

  // The sound plays on through the chosen device, as it was set.
  const uint32_t at = mixer.Position(voice);
  EXPECT_TRUE(PassUntil(host, kPassesInASecond, [&] { return mixer.Position(voice) != at; }));
  EXPECT_EQ(mixer.Status(voice), kStatusPlaying | kStatusLooping);
  EXPECT_EQ(mixer.Pan(voice), -300);
  EXPECT_EQ(mixer.Frequency(voice), 30000u);

  // Other outputs coming and going leave it where it is.
  PushDeviceEvent(SDL_AUDIODEVICEREMOVED, host.Audio().Device() + 7);
  PassUntil(host, kPassesOfOneFetch * 2, [] { return false; });
  EXPECT_EQ(host.Audio().Opens(), 3);
}

}  // namespace
}  // namespace sb
