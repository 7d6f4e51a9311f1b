#pragma once
// Everything the game needs from the machine comes through this one interface.
// Two implementations exist: SdlHost (the real desktop) and SimHost (virtual
// clock, scripted input, virtual sound tree, event log). Game code includes no
// SDL, curl or mpg123 header; it only sees this.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_read.h"

namespace sb {

class Mixer;
class SoundLibrary;
class EventLog;
struct ScreenPicture;

using KeyboardState = std::array<uint8_t, 256>;

enum class KeyboardRead { Ok, Lost, Failed };

// A game controller as the machine reports it.
struct JoystickInfo {
  std::string name;
  int axes = 0;
  int buttons = 0;
};

// A controller's state in the machine's own terms, before any dead zone,
// saturation or range is applied:
// - axes -32768..32767 in the order X, Y, Z, Rx, Ry, Rz, slider 0, slider 1
//   (Y grows downward); an axis the controller lacks reads 0 and is not present;
// - up to four hats as bitmasks: 1 up, 2 right, 4 down, 8 left, 0 centred;
// - up to 32 buttons, 1 while down.
// Pads the machine recognises come in one fixed layout: X/Y the left stick,
// Z the left trigger, Rx/Ry the right stick, Rz the right trigger, hat 0 the
// direction pad, and buttons 0 A (cross), 1 B (circle), 2 X (square),
// 3 Y (triangle), 4 left shoulder, 5 right shoulder, 6 back, 7 start,
// 8 left stick, 9 right stick, 10 guide, 11 misc, 12-15 paddles, 16 touchpad.
struct RawJoystickState {
  std::array<int32_t, 8> axes{};
  std::array<bool, 8> axisPresent{};
  std::array<uint8_t, 4> hats{};
  std::array<uint8_t, 32> buttons{};
};

enum class JoystickRead { Ok, Lost, Failed };  // Lost: the controller was unplugged, or none is open
enum class JoystickChange { State, Devices };

// A POST of a form: the body is sent as application/x-www-form-urlencoded,
// with basic authentication when a user is given.
struct HttpRequest {
  std::string url;
  std::string body;  // already form-encoded
  std::string user;
  std::string password;
  int connectTimeoutMs = 10000;
  int timeoutMs = 30000;  // the whole request
};

struct HttpResponse {
  bool reached = false;  // false: no answer (unreachable, timed out, refused by the client)
  long status = 0;
  std::string body;
  std::string error;  // what went wrong when not reached
};

// The local date and time of day.
struct CalendarTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

enum class Folder { Program, Player };

class Host {
 public:
  virtual ~Host() = default;

  // --- time and the message pump ---
  // Milliseconds, signed 32 bits; compare by subtraction.
  virtual int32_t Ticks() = 0;
  // Lets window messages run (and joystick events fire); paces busy loops.
  virtual void Yield() = 0;
  // Seconds since local midnight as a single-precision value: what the
  // random generator is re-seeded from.
  virtual float TimerSeconds() = 0;
  virtual CalendarTime LocalTime() = 0;

  // --- the window and the process ---
  // False when another instance runs; that instance has been asked to come
  // to the front and this one must end without opening any device.
  virtual bool ClaimSingleInstance() = 0;
  virtual void ShowMainWindow(const std::string& caption) = 0;
  // Modal message box with an OK button; returns when dismissed.
  virtual void MessageBox(const std::string& text) = 0;

  // --- sound ---
  // Sets the mixer to the device's rate and starts pulling frames from it;
  // false when there is no sound device.
  virtual bool StartAudio(Mixer& mixer) = 0;
  virtual void StopAudio() = 0;
  // The recordings beside the program.
  virtual SoundLibrary& Sounds() = 0;

  // --- input ---
  virtual KeyboardRead ReadKeyboard(KeyboardState& state) = 0;
  virtual void ReacquireKeyboard() = 0;
  // False while another window has the keyboard focus: the game then acts on
  // no key and no controller. A host without a window always has it.
  virtual bool Focused() { return true; }

  // --- game controllers ---
  // Attached controllers in the order the machine lists them; indexes are
  // 0-based and shift when a controller is plugged in or out.
  virtual int JoystickCount() = 0;
  virtual JoystickInfo Joystick(int index) = 0;
  // Opens one controller for reading and change notices, closing the one
  // open before; false when it cannot be opened.
  virtual bool OpenJoystick(int index) = 0;
  virtual JoystickRead ReadJoystick(RawJoystickState& state) = 0;
  // Called from Yield: State when the open controller's state changed,
  // Devices when a controller was plugged in or out (Devices first when both).
  virtual void SetJoystickListener(std::function<void(JoystickChange)> onChange) = 0;

  // --- files, settings, network ---
  // Nothing when the file is not there (FileRead::Missing) or cannot be read.
  virtual FileRead ReadFile(Folder folder, const std::string& name) = 0;
  // Atomic: a crash never leaves a half-written file. False on failure.
  virtual bool WriteFile(Folder folder, const std::string& name, const std::vector<uint8_t>& bytes) = 0;
  virtual void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& value) = 0;
  // Nothing when the value was never written.
  virtual std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                                 const std::string& key) = 0;
  // Nothing when the environment does not have the variable.
  virtual std::optional<std::string> Environment(const std::string& name) = 0;
  // The name the user logged in with; empty when the machine does not say.
  virtual std::string LoginName() = 0;
  // Starts a request and returns at once; the game yields until PollHttpPost
  // gives the response. One request runs at a time: starting another
  // abandons the one running. The time-outs of the request always end it.
  virtual void StartHttpPost(const HttpRequest& request) = 0;
  // The response once the request has finished (then it is forgotten);
  // nothing while it runs. Without a request, a response that was not reached.
  virtual std::optional<HttpResponse> PollHttpPost() = 0;
  virtual void SetClipboard(const std::string& text) = 0;
  virtual std::string Clipboard() = 0;

  // --- reports ---
  // One line about a problem the program met and went on from (a file it
  // cannot read, a recording that will not play): the real host writes it to
  // stderr, the simulated host logs it. The game never writes to stderr itself.
  virtual void Report(std::string_view text) = 0;

  // --- the player's own speech (their screen reader's voice) ---
  // Says the words at the player's own rate, voice and volume; with
  // interrupt, whatever is being said stops first. False when there is no
  // speech service to say them (none runs and none can be started, or the
  // connection dropped): nothing is said.
  virtual bool Speak(std::string_view /*text*/, bool /*interrupt*/) { return false; }
  // True from a Speak until its words have been said, or were stopped.
  virtual bool SpeechBusy() { return false; }
  // Stops what is being said.
  virtual void CancelSpeech() {}

  // --- observation ---
  // The simulated host records what the program does; the real one returns null.
  virtual EventLog* Log() { return nullptr; }

  // --- the window's view of what is heard ---
  // A recording starts on a speech channel (its name as the program wrote
  // it): the real host captions it in the window. Nothing changes in play;
  // the simulated host shows nothing.
  virtual void SpeechStarted(std::string_view /*file*/) {}
  // Where the window takes the picture it shows (the menu, the radar), at its
  // own pace; set while a game exists, null when it goes.
  virtual void SetScreenSource(std::function<ScreenPicture()> /*source*/) {}
};

}  // namespace sb
