#pragma once
// The real desktop: an SDL2 window and keyboard, an SDL2 audio device pulling
// frames from our mixer, libcurl for HTTP, files under the XDG folders.

#include <SDL2/SDL.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "audio/captions.h"
#include "hosts/audio_output.h"
#include "hosts/disk_sound_library.h"
#include "hosts/file_store.h"
#include "hosts/http_client.h"
#include "hosts/instance_lock.h"
#include "hosts/screen_painter.h"
#include "hosts/sdl_joystick.h"
#include "hosts/speech_dispatcher.h"
#include "platform/host.h"

namespace sb {

// Frames the audio device asks the mixer for at a time: 5.3 ms at 48 kHz.
constexpr int kAudioPeriodFrames = 256;

struct SdlHostOptions {
  std::filesystem::path programDir;  // sound tree and shipped key map
  std::filesystem::path playerDir;   // sbinfo.sbr and keymap.sbk
  std::filesystem::path settingsFile;
  std::filesystem::path instanceDir;
  // The sound device by name; nothing: the settings file's audio_device, and
  // the system's default device when that is not set either.
  std::optional<std::string> audioDevice;
  // The recordings; the sound tree in the program folder when not given.
  std::shared_ptr<SoundLibrary> sounds;
  int audioFrames = kAudioPeriodFrames;
};

// The folders of a normal run: the program folder (beside the program, or the
// installed data folder), and the XDG ones.
SdlHostOptions DefaultSdlHostOptions();

class SdlHost : public Host {
 public:
  explicit SdlHost(SdlHostOptions options);
  ~SdlHost() override;

  int32_t Ticks() override;
  void Yield() override;
  float TimerSeconds() override;
  CalendarTime LocalTime() override;

  bool ClaimSingleInstance() override;
  void ShowMainWindow(const std::string& caption) override;
  void MessageBox(const std::string& text) override;

  bool StartAudio(Mixer& mixer) override;
  void StopAudio() override;
  SoundLibrary& Sounds() override { return *sounds_; }
  const AudioOutput& Audio() const { return audio_; }

  KeyboardRead ReadKeyboard(KeyboardState& state) override;
  void ReacquireKeyboard() override;
  // As SDL last said of the window; taken as focused until it says otherwise.
  bool Focused() override { return focused_; }
  int JoystickCount() override;
  JoystickInfo Joystick(int index) override;
  bool OpenJoystick(int index) override;
  JoystickRead ReadJoystick(RawJoystickState& state) override;
  void SetJoystickListener(std::function<void(JoystickChange)> onChange) override {
    joysticks_.Notices().SetListener(std::move(onChange));
  }

  FileRead ReadFile(Folder folder, const std::string& name) override;
  bool WriteFile(Folder folder, const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) override;
  std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                         const std::string& key) override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string LoginName() override;
  void StartHttpPost(const HttpRequest& request) override { http_.Start(request); }
  std::optional<HttpResponse> PollHttpPost() override;
  void SetClipboard(const std::string& text) override;
  std::string Clipboard() override;
  void Report(std::string_view text) override;

  bool Speak(std::string_view text, bool interrupt) override { return speech_.Speak(text, interrupt); }
  bool SpeechBusy() override { return speech_.Busy(); }
  void CancelSpeech() override { speech_.Cancel(); }

  void SpeechStarted(std::string_view file) override;
  void SetScreenSource(std::function<ScreenPicture()> source) override { screenSource_ = std::move(source); }
  // Draws the window now, whatever the pace, and returns what it drew;
  // nothing without a window.
  std::optional<ScreenFrame> PaintNow();
  bool ViewOn() const { return viewOn_; }
  SDL_Window* Window() const { return window_; }

 private:
  void PumpEvents();
  bool StartJoysticks();
  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void SleepUntilNextWake();
  void Compose();
  std::optional<ScreenFrame> Paint(bool keep = false);
  void PaintWhenDue();
  void ToggleView();
  std::string ChosenAudioDevice() const;

  SdlHostOptions options_;
  std::shared_ptr<SoundLibrary> sounds_;
  DiskFolder programFiles_;
  DiskFolder playerFiles_;
  InstanceLock instance_;
  SDL_Window* window_ = nullptr;
  AudioOutput audio_{std::cerr};
  KeyboardState keys_{};
  bool focused_ = true;
  bool videoReady_ = false;
  SdlJoysticks joysticks_;
  HttpClient http_;
  SpeechDispatcher speech_{std::cerr};
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  int burstPasses_ = 0;
  std::chrono::steady_clock::time_point nextWake_{};
  std::chrono::steady_clock::time_point lastHttpPoll_{};
  // The window's view of what is heard.
  std::unique_ptr<ScreenPainter> painter_;
  std::function<ScreenPicture()> screenSource_;
  CaptionLine caption_;
  bool viewOn_ = true;
  struct Frame {
    ScreenPicture picture;
    ScreenText text;
  };
  Frame next_;   // composed, not yet drawn
  Frame shown_;  // the window shows this
  std::chrono::steady_clock::time_point lastPaint_{};
  std::chrono::steady_clock::time_point lastSpoken_{};
};

}  // namespace sb
