#pragma once
// The simulated host's input script: one timed event per line,
//   <ms> down KEY | <ms> up KEY | <ms> tap KEY
//   <ms> axis X|Y VALUE [on N] | <ms> button B down|up [on N]
//   <ms> joystick plug | <ms> joystick unplug [N] | <ms> joystick fail [N]
//   <ms> keyboard lost
//   <ms> focus lost | <ms> focus gained
//   <ms> speech lost | <ms> speech back
//   <ms> run
// KEY is the key's name without its DIK_ prefix. VALUE is the raw stick
// position, -32768 (left, up) to 32767 (right, down), 0 centred; B is a
// button 0..31; N a controller 1..10 in the order they are attached (default
// 1). "joystick fail" makes the controller's next read fail; "keyboard lost"
// makes keyboard reads report a lost device until the program re-acquires
// it. "focus lost" gives the keyboard focus to another window until "focus
// gained" gives it back. "speech lost" drops the player's own speech service
// (what it was saying never ends, and nothing more can be said) until "speech
// back". "run" does nothing itself: in lockstep it lets the clock run to its
// time. Blank lines and lines starting with '#' are ignored.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// The latest time a script line (or the simulator's --until) may name. The
// virtual clock counts milliseconds in a signed 32-bit number; a day of
// virtual time is kept in hand below its end, so a run that goes on to this
// time (a tap's release, a request's delay, the program's own timers) never
// runs the clock past it. 2061083647 ms, a little under 24 days.
constexpr int32_t kLatestScriptMs = INT32_MAX - 24 * 60 * 60 * 1000;
// Where every run ends (as at --until) when nothing ended it before: half a
// day past the latest time a script may name, and short of the clock's wrap.
constexpr int32_t kClockEndMs = INT32_MAX - 12 * 60 * 60 * 1000;

// Decimal digits, with a '-' in front for a negative number, naming a whole
// number from low to high; nothing for anything else (a '+', spaces, a
// fraction, trailing text, a number too large for any type).
std::optional<int32_t> WholeNumber(std::string_view text, int32_t low, int32_t high);

// The message for a script line that cannot be used. The line and the
// reason are shown as the event log shows text (a NUL as \x00, an escape as
// \x1B), so the whole of them is seen, on one line.
std::string ScriptLineError(int lineNumber, std::string_view line, std::string_view why);

struct ScriptEvent {
  enum class Kind {
    KeyDown, KeyUp, Axis, ButtonDown, ButtonUp, JoystickPlug, JoystickUnplug, JoystickFail, KeyboardLost, Run,
    FocusLost, FocusGained, SpeechLost, SpeechBack
  };
  int32_t ms = 0;
  Kind kind = Kind::KeyDown;
  uint8_t key = 0;       // keys: the DirectInput key code
  uint8_t control = 0;   // buttons: 0..31; axes: 0 X, 1 Y
  int32_t value = 0;     // axes: the raw position
  uint8_t joystick = 1;  // the controller a joystick event is for, 1-based
  bool followsTap = false;  // the release a "tap" line adds, 50 ms after its press
};

// Appends the events of one line (none for a blank line or a comment), in
// the line's order; throws std::invalid_argument naming the line.
void ParseScriptLine(const std::string& line, int lineNumber, std::vector<ScriptEvent>& events);

// Throws std::invalid_argument naming the line for anything it cannot read.
// The events come back sorted by time, in script order within one millisecond.
std::vector<ScriptEvent> ParseScript(std::istream& in);

}  // namespace sb
