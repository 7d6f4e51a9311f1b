#include "hosts/sim_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "platform/dik.h"
#include "platform/event_log.h"

namespace sb {

namespace {

constexpr int32_t kTapMs = 50;
constexpr int32_t kScriptJoysticks = 10;

[[noreturn]] void Bad(int lineNumber, const std::string& line, const std::string& why) {
  throw std::invalid_argument(ScriptLineError(lineNumber, line, why));
}

// The line's time: a whole number of milliseconds the clock can reach.
int32_t LineTime(int lineNumber, const std::string& line, const std::string& text) {
  if (const auto ms = WholeNumber(text, 0, kLatestScriptMs)) return *ms;
  if (text.find_first_not_of("0123456789") != std::string::npos) {
    Bad(lineNumber, line, "expected a time in milliseconds");
  }
  Bad(lineNumber, line, "a time goes from 0 to " + std::to_string(kLatestScriptMs) + " ms, not " + text);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// axis X|Y VALUE [on N], button B down|up [on N], joystick plug, joystick unplug|fail [N]
void ParseJoystickEvent(int32_t ms, const std::string& op, std::vector<std::string> words,
                        std::vector<ScriptEvent>& events, const std::function<void(const std::string&)>& bad) {
  ScriptEvent e;
  e.ms = ms;
  auto controller = [&](const std::string& text) {
    const auto n = WholeNumber(text, 1, kScriptJoysticks);
    if (!n) bad("controller must be 1 to " + std::to_string(kScriptJoysticks) + ", not '" + text + "'");
    e.joystick = static_cast<uint8_t>(*n);
  };
  if (op == "joystick") {
    const std::string what = words.empty() ? std::string() : words[0];
    if (what == "plug" && words.size() == 1) {
      e.kind = ScriptEvent::Kind::JoystickPlug;
    } else if ((what == "unplug" || what == "fail") && words.size() <= 2) {
      e.kind = what == "unplug" ? ScriptEvent::Kind::JoystickUnplug : ScriptEvent::Kind::JoystickFail;
      if (words.size() == 2) controller(words[1]);
    } else {
      bad("expected 'joystick plug', 'joystick unplug [N]' or 'joystick fail [N]'");
    }
    events.push_back(e);
    return;
  }
  if (words.size() == 4 && words[2] == "on") {
    controller(words[3]);
    words.resize(2);
  }
  if (words.size() != 2) bad("expected '" + op + (op == "axis" ? " X|Y VALUE" : " B down|up") + " [on N]'");
  if (op == "axis") {
    const std::string axis = Upper(words[0]);
    if (axis != "X" && axis != "Y") bad("the axis is X or Y, not '" + words[0] + "'");
    const auto value = WholeNumber(words[1], -32768, 32767);
    if (!value) bad("an axis goes from -32768 to 32767, not '" + words[1] + "'");
    e.kind = ScriptEvent::Kind::Axis;
    e.control = axis == "X" ? 0 : 1;
    e.value = *value;
  } else {
    const auto button = WholeNumber(words[0], 0, 31);
    if (!button) bad("a button is 0 to 31, not '" + words[0] + "'");
    if (words[1] != "down" && words[1] != "up") bad("a button goes 'down' or 'up', not '" + words[1] + "'");
    e.kind = words[1] == "down" ? ScriptEvent::Kind::ButtonDown : ScriptEvent::Kind::ButtonUp;
    e.control = static_cast<uint8_t>(*button);
  }
  events.push_back(e);
}

}  // namespace

std::optional<int32_t> WholeNumber(std::string_view text, int32_t low, int32_t high) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || value < low || value > high) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string ScriptLineError(int lineNumber, std::string_view line, std::string_view why) {
  return "script line " + std::to_string(lineNumber) + " (" + LogText(line) + "): " + LogText(why);
}

void ParseScriptLine(const std::string& line, int lineNumber, std::vector<ScriptEvent>& events) {
  std::istringstream words(line);
  std::string first;
  if (!(words >> first) || first[0] == '#') return;
  const int32_t ms = LineTime(lineNumber, line, first);
  std::string op;
  words >> op;
  std::vector<std::string> rest;
  for (std::string word; words >> word;) rest.push_back(word);
  if (op == "axis" || op == "button" || op == "joystick") {
    ParseJoystickEvent(ms, op, rest, events, [&](const std::string& why) { Bad(lineNumber, line, why); });
    return;
  }
  if (op == "keyboard") {
    if (rest.size() != 1 || rest[0] != "lost") Bad(lineNumber, line, "expected 'keyboard lost'");
    events.push_back({ms, ScriptEvent::Kind::KeyboardLost});
    return;
  }
  if (op == "focus") {
    if (rest.size() != 1 || (rest[0] != "lost" && rest[0] != "gained")) {
      Bad(lineNumber, line, "expected 'focus lost' or 'focus gained'");
    }
    events.push_back({ms, rest[0] == "lost" ? ScriptEvent::Kind::FocusLost : ScriptEvent::Kind::FocusGained});
    return;
  }
  if (op == "speech") {
    if (rest.size() != 1 || (rest[0] != "lost" && rest[0] != "back")) {
      Bad(lineNumber, line, "expected 'speech lost' or 'speech back'");
    }
    events.push_back({ms, rest[0] == "lost" ? ScriptEvent::Kind::SpeechLost : ScriptEvent::Kind::SpeechBack});
    return;
  }
  if (op == "run") {
    if (!rest.empty()) Bad(lineNumber, line, "unexpected '" + rest[0] + "'");
    events.push_back({ms, ScriptEvent::Kind::Run});
    return;
  }
  if (rest.size() > 1) Bad(lineNumber, line, "unexpected '" + rest[1] + "'");
  const std::string keyName = rest.empty() ? std::string() : rest[0];
  const auto key = dik::FromName(keyName);
  if (!key) Bad(lineNumber, line, "unknown key '" + keyName + "'");
  if (op == "down") {
    events.push_back({ms, ScriptEvent::Kind::KeyDown, *key});
  } else if (op == "up") {
    events.push_back({ms, ScriptEvent::Kind::KeyUp, *key});
  } else if (op == "tap") {
    events.push_back({ms, ScriptEvent::Kind::KeyDown, *key});
    ScriptEvent release{ms + kTapMs, ScriptEvent::Kind::KeyUp, *key};  // within the day kept in hand
    release.followsTap = true;
    events.push_back(release);
  } else {
    Bad(lineNumber, line, "unknown event '" + op + "'");
  }
}

std::vector<ScriptEvent> ParseScript(std::istream& in) {
  std::vector<ScriptEvent> events;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) ParseScriptLine(line, ++lineNumber, events);
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.ms < b.ms; });
  return events;
}

}  // namespace sb
