#pragma once
// The whole program on a virtual clock: the clock advances 1 ms every N
// yields, keys come from a script, sounds from a virtual tree (or real files),
// and everything observable goes to an event log.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "hosts/file_store.h"
#include "hosts/http_client.h"
#include "hosts/joystick_notices.h"
#include "hosts/script_feed.h"
#include "hosts/scripted_reply.h"
#include "hosts/sim_script.h"
#include "platform/event_log.h"
#include "platform/host.h"
#include "program/startup.h"

namespace sb {

class VirtualSoundLibrary;

struct SimOptions {
  int passesPerMs = 10;
  uint32_t seed = 0;
  std::optional<int32_t> untilMs;
  std::optional<std::filesystem::path> home;       // player folder on disk; in memory when unset
  std::shared_ptr<FileStore> playerFolder;         // the player folder itself (a test's faulty one), over home
  std::optional<std::filesystem::path> soundTree;  // real recordings; the virtual tree when unset
  std::map<std::string, int> lengths;              // virtual tree: name -> milliseconds
  std::vector<std::string> missing;                // virtual tree: names that do not exist, and keymap.sbk
  std::vector<ScriptEvent> script;
  // Lockstep: script lines come from here as the clock needs them (and the
  // script above is not used); the waits go to the log's stream.
  std::istream* lockstep = nullptr;
  bool otherInstanceRunning = false;
  bool noSoundDevice = false;
  int joysticks = 0;  // controllers attached from the start; the script plugs and unplugs more
  // The board: each request takes the next reply (nothing: not reached) after
  // httpDelayMs; with none left it is not reached. With network, requests go
  // out through libcurl instead and take as long as they take.
  std::vector<std::optional<ScriptedReply>> httpReplies;
  int httpDelayMs = 100;
  bool network = false;
  std::map<std::string, std::string> environment;
  std::map<std::string, std::string> settings;  // "app/section/key" -> value, there from the start
  std::string loginName = "player";
  std::optional<DirectGame> directGame;  // skip the menus and play this game
  // The player's own voice: how long it speaks for each character of the
  // words, and whether a speech service is there at all (the script's
  // "speech lost" and "speech back" change that later).
  int speechMsPerChar = 60;
  bool noSpeechService = false;
};

// Thrown from Yield when the clock reaches SimOptions::untilMs.
struct SimulationEnd {};
// Thrown from Yield when a lockstep line cannot be used; ends the simulation.
struct ScriptError {
  std::string message;
};

class SimHost : public Host {
 public:
  static constexpr int kAudioRate = 48000;

  explicit SimHost(SimOptions options, std::ostream* out = nullptr);
  ~SimHost() override;

  int32_t Ticks() override { return ms_; }
  void Yield() override;
  float TimerSeconds() override;
  // The seed's time of day on 1 January 2000, moving on with the clock.
  CalendarTime LocalTime() override;

  bool ClaimSingleInstance() override;
  void ShowMainWindow(const std::string& caption) override;
  void MessageBox(const std::string& text) override;

  bool StartAudio(Mixer& mixer) override;
  void StopAudio() override { mixer_ = nullptr; }
  SoundLibrary& Sounds() override { return *sounds_; }

  KeyboardRead ReadKeyboard(KeyboardState& state) override;
  void ReacquireKeyboard() override;
  // The script's focus lines move the focus; the window starts with it.
  bool Focused() override { return focused_; }
  // A simulated controller has a stick (X and Y) and 32 buttons.
  int JoystickCount() override { return static_cast<int>(joysticks_.size()); }
  JoystickInfo Joystick(int index) override;
  bool OpenJoystick(int index) override;
  JoystickRead ReadJoystick(RawJoystickState& state) override;
  void SetJoystickListener(std::function<void(JoystickChange)> onChange) override {
    joystickNotices_.SetListener(std::move(onChange));
  }

  FileRead ReadFile(Folder folder, const std::string& name) override;
  bool WriteFile(Folder folder, const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) override;
  std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                         const std::string& key) override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string LoginName() override { return options_.loginName; }
  void StartHttpPost(const HttpRequest& request) override;
  std::optional<HttpResponse> PollHttpPost() override;
  void SetClipboard(const std::string& text) override;
  std::string Clipboard() override { return clipboard_; }
  void Report(std::string_view text) override;

  bool Speak(std::string_view text, bool interrupt) override;
  bool SpeechBusy() override;
  void CancelSpeech() override;

  EventLog* Log() override { return &log_; }
  EventLog& GetLog() { return log_; }
  // The virtual tree, or null when real recordings are used.
  VirtualSoundLibrary* VirtualSounds() { return virtual_; }
  FileStore& Files(Folder folder) { return folder == Folder::Program ? *programFiles_ : *playerFiles_; }

  // Moves the clock on by whole milliseconds, as yields would.
  void AdvanceMs(int32_t ms);

 private:
  struct SimJoystick {
    int id = 0;
    RawJoystickState state;
    bool failNextRead = false;
  };

  void Tick();
  void ApplyDueEvents();
  void ApplyJoystickEvent(const ScriptEvent& e);
  void MoveFocus(bool focused);
  void PlugJoystick();

  SimOptions options_;
  EventLog log_;
  int32_t ms_ = 0;
  int yields_ = 0;
  ScriptFeed feed_;
  KeyboardState keys_{};
  bool keyboardLost_ = false;
  bool focused_ = true;
  Mixer* mixer_ = nullptr;
  std::unique_ptr<SoundLibrary> sounds_;
  VirtualSoundLibrary* virtual_ = nullptr;
  std::unique_ptr<FileStore> programFiles_;
  std::shared_ptr<FileStore> playerFiles_;
  std::map<std::string, std::string> settings_;
  std::string clipboard_;
  size_t nextReply_ = 0;
  std::optional<HttpResponse> pendingReply_;  // the scripted request running
  int32_t replyDueMs_ = 0;
  std::unique_ptr<HttpClient> network_;
  std::vector<SimJoystick> joysticks_;
  int nextJoystickId_ = 1;
  int openJoystickId_ = 0;  // 0: none open
  JoystickNotices joystickNotices_;
  bool speechUp_ = true;    // the speech service can be reached
  bool speaking_ = false;
  int32_t speechEndMs_ = 0;
};

struct SimResult {
  int exitCode = 0;
  bool reachedUntil = false;
  std::optional<std::string> scriptError;  // lockstep: the line that ended the run, and why
  std::vector<std::string> lines;
};

// Runs the whole program on a simulated host; the log also goes to `out`.
SimResult RunSimulation(const SimOptions& options, std::ostream* out = nullptr);

}  // namespace sb
