// The real host, headless: SDL's dummy video driver and its disk audio driver,
// which writes what the mixer rendered to a file instead of a sound card.

#include "hosts/sdl_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "audio/mixer.h"
#include "game/game.h"
#include "platform/key_map.h"
#include "program/startup.h"
#include "sound/mp3_player.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

// Every recording is a short loud tone, so the output file shows whether the
// mixer's frames reached the device. The names asked for are kept.
class ToneLibrary : public SoundLibrary {
 public:
  std::vector<std::string> loaded;
  std::shared_ptr<const Pcm> Load(std::string_view name) override {
    loaded.emplace_back(name);
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = 22050;
    for (int i = 0; i < 22050 / 5; ++i) pcm->samples.push_back(static_cast<int16_t>(i % 50 < 25 ? 8000 : -8000));
    return pcm;
  }
};

struct SdlHostRun : ::testing::Test {
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() / "out.raw").c_str(), 1);
    options.programDir = dir.path() / "program";
    options.playerDir = dir.path() / "player";
    options.settingsFile = dir.path() / "config" / "settings.ini";
    options.instanceDir = dir.path();
    options.sounds = tones;
    dir.Write("program/keymap.sbk", EncodeKeyMap(DefaultActionTable()));
  }
  bool Loaded(const std::string& name) const {
    return std::find(tones->loaded.begin(), tones->loaded.end(), name) != tones->loaded.end();
  }
  test::TempDir dir;
  std::shared_ptr<ToneLibrary> tones = std::make_shared<ToneLibrary>();
  SdlHostOptions options;
};

// The player presses Escape once the main menu is heard, which ends the program.
class EscapeInTheMenu : public SdlHost {
 public:
  using SdlHost::SdlHost;
  void Yield() override {
    SdlHost::Yield();
    const int32_t now = Ticks();
    if (!start_) start_ = now;
    if (presses_ == 0 && now - *start_ > 1500) Press(SDL_KEYDOWN);
    if (presses_ == 1 && now - *start_ > 1600) Press(SDL_KEYUP);
  }

 private:
  void Press(Uint32 type) {
    SDL_Event key{};
    key.type = type;
    key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&key);
    ++presses_;
  }
  std::optional<int32_t> start_;
  int presses_ = 0;
};

TEST_F(SdlHostRun, PlaysTheTitleAndTheExitPromptThroughTheDevice) {
  int code = -1;
  {
    EscapeInTheMenu host(options);
    code = RunProgram(host);
  }
  EXPECT_EQ(code, 0);
  const auto raw = ReadWholeFile(dir.path() / "out.raw");
  ASSERT_TRUE(raw);
  ASSERT_GT(raw->size(), 4000u);
  int loud = 0;
  for (size_t i = 0; i + 1 < raw->size(); i += 2) {
    const auto sample = static_cast<int16_t>((*raw)[i] | (*raw)[i + 1] << 8);
    loud += std::abs(sample) > 4000;
  }
  EXPECT_GT(loud, 1000) << "the prompts were heard";
  EXPECT_TRUE(Loaded("system\\menu\\exiting.wav"));
  EXPECT_TRUE(ReadWholeFile(dir.path() / "player" / "sbinfo.sbr"));
  EXPECT_EQ(ReadWholeFile(dir.path() / "player" / "keymap.sbk"), EncodeKeyMap(DefaultActionTable()));
}

// Closing the window ends the program at once, whatever it was waiting for:
// here the title, and the exit prompt is never reached.
TEST_F(SdlHostRun, ClosingTheWindowEndsTheProgram) {
  struct ClosedAtOnce : SdlHost {
    using SdlHost::SdlHost;
    void ShowMainWindow(const std::string& caption) override {
      SdlHost::ShowMainWindow(caption);
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
  };
  ClosedAtOnce host(options);
  EXPECT_EQ(RunProgram(host), 0);
  EXPECT_TRUE(Loaded("sounds\\sb.wav")) << "the title began";
  EXPECT_FALSE(Loaded("system\\menu\\exiting.wav")) << "the program went on to its exit prompt";
}

TEST_F(SdlHostRun, WithoutASoundDeviceItSaysSoAndEnds) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  int code = 0;
  {
    SdlHost host(options);
    code = RunProgram(host);
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(code, 1);
  // The message is on stderr too, for a screen reader at the terminal.
  EXPECT_NE(err.find("Sound driver error."), std::string::npos) << err;
  EXPECT_TRUE(ReadWholeFile(std::filesystem::path(SB_PROGRAM_DIR) / "README.md")) << "the help it names is there";
  EXPECT_FALSE(ReadWholeFile(dir.path() / "player" / "sbinfo.sbr")) << "nothing was touched";
}

// The sound device the player chose: on the command line, else in the
// settings file. One that cannot be opened gives way to the default device
// with a line on stderr, and the game plays all the same. SDL's dummy driver
// has one device, under SDL's name for the default (the disk driver would
// take any name for a file to write).
TEST_F(SdlHostRun, PlaysThroughTheChosenSoundDeviceOrTheDefault) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  struct Case {
    const char* name;
    std::optional<std::string> option;
    const char* setting;  // audio_device in the settings file
    const char* warned;   // the device stderr names; none: nothing said
  };
  const std::vector<Case> cases = {
      {"the default", std::nullopt, nullptr, nullptr},
      {"a device by its listed name", "System audio output device", nullptr, nullptr},
      {"an unplugged device", "USB Headset", nullptr, "\"USB Headset\""},
      {"the settings file's device", std::nullopt, "Gone Card", "\"Gone Card\""},
      {"the command line's default over the settings file", "", "Gone Card", nullptr},
      {"the command line's device over the settings file", "Headset", "Gone Card", "\"Headset\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(options.settingsFile);
    if (c.setting) {
      const std::string ini = std::string("[Starbarrow/Sound]\naudio_device = ") + c.setting + "\n";
      dir.Write("config/settings.ini", {ini.begin(), ini.end()});
    }
    options.audioDevice = c.option;
    SdlHost host(options);
    Mixer mixer(22050);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(host.StartAudio(mixer));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(mixer.OutputRate(), 48000) << "the device's rate";
    if (c.warned) {
      EXPECT_NE(err.find(std::string("sound device ") + c.warned + " cannot be opened"), std::string::npos) << err;
      EXPECT_NE(err.find("--list-audio-devices"), std::string::npos) << err;
    } else {
      EXPECT_EQ(err, "");
    }
  }
}

TEST_F(SdlHostRun, ASecondCopyIsRefused) {
  SdlHost first(options);
  ASSERT_TRUE(first.ClaimSingleInstance());
  SdlHost second(options);
  EXPECT_EQ(RunProgram(second), 0);
  EXPECT_FALSE(ReadWholeFile(dir.path() / "out.raw")) << "the second copy opened no sound device";
}

// An MP3 recording streams from its file through the mixer to the device
// while the audio thread renders, and its sound arrives whole.
TEST_F(SdlHostRun, StreamsAnMp3RecordingToTheDevice) {
  options.sounds = nullptr;  // the program folder's own files
  std::ifstream seed(std::filesystem::path(SB_MP3_SEEDS) / "stereo_44100.mp3", std::ios::binary);
  dir.Write("program/system/menu/intros.mp3", {std::istreambuf_iterator<char>(seed), {}});
  {
    SdlHost host(options);
    Game game(host);
    ASSERT_TRUE(game.sound.Start());
    ASSERT_TRUE(Mp3Open(game, "system\\menu\\intros.mp3"));
    Mp3Play(game, false);
    EXPECT_FALSE(Mp3Feed(game)) << "played to its end";
    Mp3Release(game);
  }
  const auto raw = ReadWholeFile(dir.path() / "out.raw");
  ASSERT_TRUE(raw);
  int loud = 0;
  for (size_t i = 0; i + 1 < raw->size(); i += 2) {
    const auto sample = static_cast<int16_t>((*raw)[i] | (*raw)[i + 1] << 8);
    loud += std::abs(sample) > 4000;
  }
  // Half a second of a tone at about a quarter of full scale, in both channels.
  EXPECT_GT(loud, 20000) << "the recording was heard";
}

}  // namespace
}  // namespace sb
