#include "hosts/sim_host.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "audio/mixer.h"
#include "game/settings.h"
#include "hosts/disk_sound_library.h"
#include "hosts/mp3_decoder.h"
#include "hosts/virtual_sound_library.h"
#include "platform/key_map.h"
#include "program/startup.h"

namespace sb {

SimHost::SimHost(SimOptions options, std::ostream* out) : options_(std::move(options)), log_(out) {
  feed_ = options_.lockstep ? ScriptFeed(*options_.lockstep, out) : ScriptFeed(std::move(options_.script));
  if (options_.passesPerMs < 1) options_.passesPerMs = 1;
  if (options_.soundTree) {
    sounds_ = std::make_unique<DiskSoundLibrary>(*options_.soundTree, OpenMp3File);
    programFiles_ = std::make_unique<DiskFolder>(*options_.soundTree);
  } else {
    auto library = std::make_unique<VirtualSoundLibrary>();
    for (const auto& [name, ms] : options_.lengths) library->SetLength(name, ms);
    for (const auto& name : options_.missing) library->SetMissing(name);
    virtual_ = library.get();
    sounds_ = std::move(library);
    programFiles_ = std::make_unique<MemoryFolder>();
    if (std::find(options_.missing.begin(), options_.missing.end(), kKeyMapFileName) == options_.missing.end()) {
      programFiles_->Write(kKeyMapFileName, EncodeKeyMap(DefaultActionTable()));  // the shipped key map
    }
  }
  if (options_.playerFolder) {
    playerFiles_ = options_.playerFolder;
  } else if (options_.home) {
    playerFiles_ = std::make_unique<DiskFolder>(*options_.home);
  } else {
    playerFiles_ = std::make_unique<MemoryFolder>();
  }
  settings_ = options_.settings;
  speechUp_ = !options_.noSpeechService;
  for (int i = 0; i < options_.joysticks; ++i) PlugJoystick();
  joystickNotices_.TakeDevices();  // attached before the program started
  ApplyDueEvents();
}

SimHost::~SimHost() = default;

void SimHost::Yield() {
  if (++yields_ >= options_.passesPerMs) {
    yields_ = 0;
    Tick();
  }
  joystickNotices_.Deliver();
}

void SimHost::AdvanceMs(int32_t ms) {
  for (int32_t i = 0; i < ms; ++i) {
    Tick();
    joystickNotices_.Deliver();
  }
}

void SimHost::Tick() {
  ++ms_;
  // The end comes first: a lockstep player is not asked for input nothing would read.
  // Without --until the run still ends before the signed clock would wrap.
  if (ms_ >= options_.untilMs.value_or(kClockEndMs)) {
    log_.Write(ms_, "end");
    log_.Close();
    throw SimulationEnd{};
  }
  ApplyDueEvents();
  if (mixer_) mixer_->Advance(kAudioRate / 1000);
}

void SimHost::ApplyDueEvents() {
  for (;;) {
    std::optional<ScriptEvent> due;
    try {
      due = feed_.NextDue(ms_);
    } catch (const std::invalid_argument& e) {
      log_.Close();
      throw ScriptError{e.what()};
    }
    if (!due) return;
    const ScriptEvent& e = *due;
    switch (e.kind) {
      case ScriptEvent::Kind::KeyDown:
      case ScriptEvent::Kind::KeyUp:
        keys_[e.key] = e.kind == ScriptEvent::Kind::KeyDown ? 0x80 : 0x00;
        break;
      case ScriptEvent::Kind::KeyboardLost:
        keyboardLost_ = true;
        break;
      case ScriptEvent::Kind::FocusLost:
      case ScriptEvent::Kind::FocusGained:
        MoveFocus(e.kind == ScriptEvent::Kind::FocusGained);
        break;
      case ScriptEvent::Kind::SpeechLost:
      case ScriptEvent::Kind::SpeechBack:
        speechUp_ = e.kind == ScriptEvent::Kind::SpeechBack;
        break;
      default:
        ApplyJoystickEvent(e);
        break;
    }
  }
}

// As a window system does, only a change of the focus is told.
void SimHost::MoveFocus(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  log_.Write(ms_, "focus", focused ? "gained" : "lost");
}

void SimHost::PlugJoystick() {
  SimJoystick joystick;
  joystick.id = nextJoystickId_++;
  joystick.state.axisPresent[0] = joystick.state.axisPresent[1] = true;
  joysticks_.push_back(joystick);
  joystickNotices_.NoteDevices();
}

void SimHost::ApplyJoystickEvent(const ScriptEvent& e) {
  const size_t index = e.joystick >= 1 ? e.joystick - 1u : 0u;
  if (e.kind == ScriptEvent::Kind::JoystickPlug) {
    PlugJoystick();
    return;
  }
  if (index >= joysticks_.size()) return;  // nothing attached there: the event goes nowhere
  SimJoystick& joystick = joysticks_[index];
  switch (e.kind) {
    case ScriptEvent::Kind::JoystickUnplug:
      joysticks_.erase(joysticks_.begin() + static_cast<std::ptrdiff_t>(index));
      joystickNotices_.NoteDevices();
      return;
    case ScriptEvent::Kind::Axis:
      joystick.state.axes[e.control & 1] = e.value;
      break;
    case ScriptEvent::Kind::ButtonDown:
    case ScriptEvent::Kind::ButtonUp:
      joystick.state.buttons[e.control & 31] = e.kind == ScriptEvent::Kind::ButtonDown ? 1 : 0;
      break;
    case ScriptEvent::Kind::JoystickFail:
      joystick.failNextRead = true;
      return;
    default:
      return;
  }
  if (joystick.id == openJoystickId_) joystickNotices_.NoteState();
}

JoystickInfo SimHost::Joystick(int index) {
  if (index < 0 || static_cast<size_t>(index) >= joysticks_.size()) return {};
  return {"Simulated controller " + std::to_string(joysticks_[static_cast<size_t>(index)].id), 2, 32};
}

bool SimHost::OpenJoystick(int index) {
  if (index < 0 || static_cast<size_t>(index) >= joysticks_.size()) return false;
  openJoystickId_ = joysticks_[static_cast<size_t>(index)].id;
  joystickNotices_.DropState();
  log_.Write(ms_, "joystick", "open", {"controller=" + std::to_string(index + 1)});
  return true;
}

JoystickRead SimHost::ReadJoystick(RawJoystickState& state) {
  for (SimJoystick& joystick : joysticks_) {
    if (joystick.id == openJoystickId_) {
      if (std::exchange(joystick.failNextRead, false)) return JoystickRead::Failed;
      state = joystick.state;
      return JoystickRead::Ok;
    }
  }
  return JoystickRead::Lost;
}

CalendarTime SimHost::LocalTime() {
  const int64_t seconds = options_.seed + ms_ / 1000;
  const int64_t inDay = seconds % 86400;
  return {2000, 1, static_cast<int>(1 + seconds / 86400 % 31), static_cast<int>(inDay / 3600),
          static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60)};
}

float SimHost::TimerSeconds() {
  return static_cast<float>(std::fmod(options_.seed + ms_ / 1000.0, 86400.0));
}

bool SimHost::ClaimSingleInstance() {
  if (!options_.otherInstanceRunning) return true;
  log_.Write(ms_, "raise", "other-instance");
  return false;
}

void SimHost::ShowMainWindow(const std::string& caption) { log_.Write(ms_, "window", caption); }

void SimHost::MessageBox(const std::string& text) { log_.Write(ms_, "msgbox", text); }

bool SimHost::StartAudio(Mixer& mixer) {
  if (options_.noSoundDevice) return false;
  mixer.SetOutputRate(kAudioRate);
  mixer_ = &mixer;
  return true;
}

KeyboardRead SimHost::ReadKeyboard(KeyboardState& state) {
  if (keyboardLost_) return KeyboardRead::Lost;
  state = keys_;
  return KeyboardRead::Ok;
}

void SimHost::ReacquireKeyboard() {
  keyboardLost_ = false;
  log_.Write(ms_, "keyboard", "reacquire");
}

FileRead SimHost::ReadFile(Folder folder, const std::string& name) {
  return Files(folder).Read(name);
}

bool SimHost::WriteFile(Folder folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  const bool ok = Files(folder).Write(name, bytes);
  const int error = errno;  // the reason a write failed, for the program to tell
  log_.Write(ms_, "write", name, {"bytes=" + std::to_string(bytes.size()), ok ? "ok=1" : "ok=0"});
  errno = error;
  return ok;
}

void SimHost::WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& value) {
  settings_[app + "/" + section + "/" + key] = value;
  log_.Write(ms_, "settings", app + "/" + section + "/" + key + "=" + value);
}

std::optional<std::string> SimHost::ReadSetting(const std::string& app, const std::string& section,
                                                const std::string& key) {
  const auto it = settings_.find(app + "/" + section + "/" + key);
  return it == settings_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::optional<std::string> SimHost::Environment(const std::string& name) {
  const auto it = options_.environment.find(name);
  return it == options_.environment.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void SimHost::StartHttpPost(const HttpRequest& request) {
  log_.Write(ms_, "http", request.url, {"body=" + LogText(request.body)});
  if (options_.network) {
    if (!network_) network_ = std::make_unique<HttpClient>();
    network_->Start(request);
    return;
  }
  HttpResponse response{false, 0, "", "unreachable"};
  if (nextReply_ < options_.httpReplies.size()) {
    if (const auto& reply = options_.httpReplies[nextReply_]) response = {true, reply->status, reply->body, ""};
    ++nextReply_;
  }
  pendingReply_ = response;
  replyDueMs_ = ms_ + options_.httpDelayMs;
}

std::optional<HttpResponse> SimHost::PollHttpPost() {
  // A real request waits a little for the network, so the clock does not race ahead of it.
  if (network_) return network_->Poll(1);
  if (pendingReply_ && ms_ - replyDueMs_ < 0) return std::nullopt;
  HttpResponse response = pendingReply_.value_or(HttpResponse{false, 0, "", "no request was started"});
  pendingReply_.reset();
  return response;
}

void SimHost::SetClipboard(const std::string& text) {
  clipboard_ = text;
  log_.Write(ms_, "clipboard", LogText(text));
}

void SimHost::Report(std::string_view text) { log_.Write(ms_, "report", LogText(text)); }

namespace {

// The words as the log shows them: in double quotes, a quote inside as \".
std::string QuotedWords(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : LogText(text)) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

bool SimHost::Speak(std::string_view text, bool interrupt) {
  if (!speechUp_) return false;
  if (interrupt) CancelSpeech();
  const int32_t from = SpeechBusy() ? speechEndMs_ : ms_;  // queued behind what is being said
  log_.Write(ms_, "say", QuotedWords(text));
  speaking_ = true;
  speechEndMs_ = from + static_cast<int32_t>(std::min<size_t>(text.size(), 100000)) * options_.speechMsPerChar;
  return true;
}

// A service that was lost never says the end of what it was saying.
bool SimHost::SpeechBusy() { return speaking_ && (!speechUp_ || ms_ - speechEndMs_ < 0); }

void SimHost::CancelSpeech() {
  if (SpeechBusy()) log_.Write(ms_, "saystop");
  speaking_ = false;
}

SimResult RunSimulation(const SimOptions& options, std::ostream* out) {
  SimResult result;
  std::unique_ptr<SimHost> host;
  try {
    host = std::make_unique<SimHost>(options, out);  // a lockstep player may answer badly at once
    result.exitCode = RunProgram(*host, options.directGame);
  } catch (const SimulationEnd&) {
    result.reachedUntil = true;
  } catch (const ScriptError& e) {
    result.scriptError = e.message;
  }
  if (host) result.lines = host->GetLog().Lines();
  return result;
}

}  // namespace sb
