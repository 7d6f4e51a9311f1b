#include "hosts/sdl_host.h"

#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "audio/mixer.h"
#include "hosts/audio_output.h"
#include "hosts/mp3_decoder.h"
#include "hosts/program_folder.h"
#include "hosts/sdl_keymap.h"
#include "hosts/settings_store.h"
#include "hosts/window_font.h"
#include "hosts/wrap_text.h"
#include "platform/runtime_error.h"

namespace sb {

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, which the pacing sleeps on

// The game clock moves in whole milliseconds, so the passes of a busy loop
// run in bursts, one burst a millisecond: 13,000 passes a second, yet the
// thread wakes only a thousand times and the core mostly sleeps. Waking for
// every pass cost more than the passes themselves.
constexpr int kPassesPerWake = 13;
constexpr auto kWakePeriod = std::chrono::milliseconds(1);
// A message box's lines: well inside the narrowest screen.
constexpr size_t kMessageColumns = 60;
// The window is drawn at most thirty times a second, between bursts of passes.
constexpr auto kPaintPeriod = std::chrono::microseconds(33333);
// A caption stays up this long after its recording ends, so the words of a
// spoken number do not flicker between one word and the next.
constexpr auto kCaptionLinger = std::chrono::milliseconds(250);
constexpr const char* kWindowSection = "Window";
constexpr const char* kViewKey = "view";
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 450;

std::filesystem::path XdgDir(const char* variable, const char* fallback) {
  if (const char* dir = std::getenv(variable); dir && *dir) return dir;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / fallback;
}

}  // namespace

SdlHostOptions DefaultSdlHostOptions() {
  SdlHostOptions o;
  o.programDir = FindProgramFolder(ExecutableDir());
  o.playerDir = XdgDir("XDG_DATA_HOME", ".local/share") / "starbarrow";
  o.settingsFile = XdgDir("XDG_CONFIG_HOME", ".config") / "starbarrow" / "settings.ini";
  o.instanceDir = InstanceLock::DefaultDir();
  return o;
}

SdlHost::SdlHost(SdlHostOptions options)
    : options_(std::move(options)),
      sounds_(options_.sounds ? options_.sounds
                              : std::make_shared<DiskSoundLibrary>(options_.programDir, OpenMp3File)),
      programFiles_(options_.programDir),
      playerFiles_(options_.playerDir),
      instance_(options_.instanceDir, "starbarrow-" + std::to_string(getuid())) {
  // Short sleeps must stay short for the busy loops' pacing.
  prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
}

SdlHost::~SdlHost() {
  StopAudio();
  joysticks_.Close();
  painter_.reset();
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

int32_t SdlHost::Ticks() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
  return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

float SdlHost::TimerSeconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
         static_cast<float>(now.tv_nsec / 1000000) / 1000.0f;
}

CalendarTime SdlHost::LocalTime() {
  const std::time_t now = std::time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

bool SdlHost::ClaimSingleInstance() { return instance_.Claim(); }

void SdlHost::ShowMainWindow(const std::string& caption) {
  PreferSoftwareDrawing();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::cerr << "starbarrow: cannot open a window: " << SDL_GetError() << '\n';
    return;
  }
  window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                             kWindowHeight, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (!window_) {
    std::cerr << "starbarrow: cannot open a window: " << SDL_GetError() << '\n';
    return;
  }
  videoReady_ = true;
  viewOn_ = ReadIniSetting(options_.settingsFile, kAudioSettingsApp, kWindowSection, kViewKey) != "off";
  std::optional<std::filesystem::path> font = FindWindowFont();
  if (!font) {
    std::cerr << "starbarrow: no font for the window's captions (Debian's fonts-dejavu-core has one); "
                 "the game plays on without them\n";
  }
  painter_ = std::make_unique<ScreenPainter>(window_, std::move(font));
  Paint();
}

void SdlHost::Compose() {
  const auto now = Clock::now();
  lastPaint_ = now;
  next_.picture = screenSource_ ? screenSource_() : ScreenPicture{};
  if (next_.picture.speaking) lastSpoken_ = now;
  next_.text.viewOn = viewOn_;
  next_.text.caption = now - lastSpoken_ <= kCaptionLinger ? caption_.Text() : std::string();
}

std::optional<ScreenFrame> SdlHost::Paint(bool keep) {
  if (!painter_) return std::nullopt;
  Compose();
  shown_ = next_;
  return painter_->Draw(shown_.picture, shown_.text, keep);
}

std::optional<ScreenFrame> SdlHost::PaintNow() { return Paint(true); }

// A frame that would show what the window shows already is not drawn again:
// a menu waiting for a key costs nothing.
void SdlHost::PaintWhenDue() {
  if (!painter_ || Clock::now() - lastPaint_ < kPaintPeriod) return;
  Compose();
  if (next_.picture == shown_.picture && next_.text == shown_.text) return;
  shown_ = next_;
  painter_->Draw(shown_.picture, shown_.text);
}

void SdlHost::SpeechStarted(std::string_view file) {
  if (caption_.Started(file)) lastSpoken_ = Clock::now();
}

// The choice outlasts the run: it is kept in the settings file.
void SdlHost::ToggleView() {
  viewOn_ = !viewOn_;
  WriteSetting(kAudioSettingsApp, kWindowSection, kViewKey, viewOn_ ? "on" : "off");
  Paint();
}

void SdlHost::MessageBox(const std::string& text) {
  // The same words on the terminal, where a screen reader hears them.
  std::cerr << "starbarrow: " << text << '\n';
  const std::string lines = WrapText(text, kMessageColumns);
  SDL_MessageBoxButtonData ok{};
  ok.flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  ok.text = "OK";
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION;
  box.window = window_;
  box.title = "Starbarrow";
  box.message = lines.c_str();
  box.numbuttons = 1;
  box.buttons = &ok;
  // A dialog of the window that has the keyboard gets the keyboard: Return
  // or Escape then closes it without a mouse.
  if (window_) SDL_RaiseWindow(window_);
  int pressed = -1;
  SDL_ShowMessageBox(&box, &pressed);  // where no dialog can be shown, stderr has the text
}

bool SdlHost::StartAudio(Mixer& mixer) { return audio_.Start(mixer, ChosenAudioDevice(), options_.audioFrames); }

std::string SdlHost::ChosenAudioDevice() const {
  if (options_.audioDevice) return *options_.audioDevice;
  return ReadIniSetting(options_.settingsFile, kAudioSettingsApp, kAudioSettingsSection, kAudioDeviceKey)
      .value_or("");
}

void SdlHost::StopAudio() { audio_.Stop(); }

// Window messages are fetched once a burst: fetching costs more than a pass.
void SdlHost::Yield() {
  if (++burstPasses_ < kPassesPerWake) return;
  burstPasses_ = 0;
  SleepUntilNextWake();
  PumpEvents();
}

// Wakes on the millisecond grid; a burst that ran late starts the grid afresh
// instead of hurrying to catch up.
void SdlHost::SleepUntilNextWake() {
  nextWake_ += kWakePeriod;
  const auto now = Clock::now();
  if (nextWake_ <= now) {
    nextWake_ = now;
    return;
  }
  const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(nextWake_.time_since_epoch()).count();
  const timespec at{static_cast<time_t>(since / 1000000000), static_cast<long>(since % 1000000000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
}

void SdlHost::PumpEvents() {
  if (instance_.RaiseRequested() && window_) SDL_RaiseWindow(window_);
  if (!videoReady_ && !joysticks_.Started() && !audio_.Started()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  joysticks_.Notices().Deliver();
  audio_.Tend(Ticks());
  PaintWhenDue();
}

bool SdlHost::StartJoysticks() { return joysticks_.Start({options_.programDir, options_.playerDir}); }

int SdlHost::JoystickCount() { return StartJoysticks() ? joysticks_.Count() : 0; }

JoystickInfo SdlHost::Joystick(int index) { return StartJoysticks() ? joysticks_.Info(index) : JoystickInfo{}; }

bool SdlHost::OpenJoystick(int index) { return StartJoysticks() && joysticks_.Open(index); }

JoystickRead SdlHost::ReadJoystick(RawJoystickState& state) { return joysticks_.Read(state); }

void SdlHost::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      throw ProgramEnd{0};  // closing the window ends the program
    case SDL_KEYDOWN:
      if (event.key.keysym.scancode == kViewToggleKey && !event.key.repeat) ToggleView();
      [[fallthrough]];
    case SDL_KEYUP:
      if (const uint8_t key = DikFromScancode(event.key.keysym.scancode)) {
        keys_[key] = event.type == SDL_KEYDOWN ? 0x80 : 0x00;
      }
      break;
    case SDL_JOYAXISMOTION:
    case SDL_JOYHATMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMAPPED:
      joysticks_.Handle(event);
      break;
    case SDL_AUDIODEVICEADDED:
    case SDL_AUDIODEVICEREMOVED:
      audio_.Handle(event.adevice, Ticks());
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    default:
      break;
  }
}

// Only the game's own window counts: a message box or any other window of
// the program has focus events of its own.
void SdlHost::HandleWindowEvent(const SDL_WindowEvent& event) {
  if (!window_ || event.windowID != SDL_GetWindowID(window_)) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      focused_ = false;
      keys_.fill(0);  // no key stays down unseen
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      focused_ = true;
      ReacquireKeyboard();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      Paint();
      break;
    default:
      break;
  }
}

KeyboardRead SdlHost::ReadKeyboard(KeyboardState& state) {
  if (!videoReady_) return KeyboardRead::Failed;
  state = keys_;
  return KeyboardRead::Ok;
}

void SdlHost::ReacquireKeyboard() {
  keys_.fill(0);
  if (!videoReady_) return;
  int count = 0;
  const Uint8* down = SDL_GetKeyboardState(&count);
  for (int sc = 0; sc < count; ++sc) {
    if (down[sc]) {
      if (const uint8_t key = DikFromScancode(static_cast<SDL_Scancode>(sc))) keys_[key] = 0x80;
    }
  }
}

FileRead SdlHost::ReadFile(Folder folder, const std::string& name) {
  return folder == Folder::Program ? programFiles_.Read(name) : playerFiles_.Read(name);
}

bool SdlHost::WriteFile(Folder folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  return folder == Folder::Program ? programFiles_.Write(name, bytes) : playerFiles_.Write(name, bytes);
}

void SdlHost::WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& value) {
  if (!WriteIniSetting(options_.settingsFile, app, section, key, value)) {
    std::cerr << "starbarrow: cannot write " << key << " to " << options_.settingsFile.string() << ": "
              << std::strerror(errno) << '\n';
  }
}

std::optional<std::string> SdlHost::ReadSetting(const std::string& app, const std::string& section,
                                                const std::string& key) {
  return ReadIniSetting(options_.settingsFile, app, section, key);
}

std::optional<std::string> SdlHost::Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::optional<std::string>(value) : std::nullopt;
}

std::string SdlHost::LoginName() {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name) {
    return found->pw_name;
  }
  for (const char* variable : {"LOGNAME", "USER"}) {
    if (const char* name = std::getenv(variable); name && *name) return name;
  }
  return "";
}

std::optional<HttpResponse> SdlHost::PollHttpPost() {
  // The network is looked at once a millisecond, as window messages are, not on every pass.
  const auto now = Clock::now();
  if (now - lastHttpPoll_ < kWakePeriod) return std::nullopt;
  lastHttpPoll_ = now;
  return http_.Poll();
}

void SdlHost::SetClipboard(const std::string& text) {
  if (SDL_SetClipboardText(text.c_str()) != 0) std::cerr << "starbarrow: clipboard: " << SDL_GetError() << '\n';
}

std::string SdlHost::Clipboard() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

void SdlHost::Report(std::string_view text) { std::cerr << "starbarrow: " << text << '\n'; }

}  // namespace sb
