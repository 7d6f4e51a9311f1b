#include "platform/sim_script.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "platform/dik.h"

namespace sb {

namespace {

constexpr int32_t kTapMs = 50;

[[noreturn]] void Bad(int lineNumber, const std::string& line, const std::string& why) {
  throw std::invalid_argument("script line " + std::to_string(lineNumber) + " (" + line + "): " + why);
}

}  // namespace

std::vector<ScriptEvent> ParseScript(std::istream& in) {
  std::vector<ScriptEvent> events;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first[0] == '#') continue;
    int32_t ms = 0;
    try {
      size_t used = 0;
      const long long value = std::stoll(first, &used);
      if (used != first.size() || value < 0 || value > INT32_MAX) throw std::out_of_range("time");
      ms = static_cast<int32_t>(value);
    } catch (const std::exception&) {
      Bad(lineNumber, line, "expected a time in milliseconds");
    }
    std::string op, keyName, extra;
    words >> op >> keyName;
    if (words >> extra) Bad(lineNumber, line, "unexpected '" + extra + "'");
    const auto key = dik::FromName(keyName);
    if (!key) Bad(lineNumber, line, "unknown key '" + keyName + "'");
    if (op == "down") {
      events.push_back({ms, ScriptEvent::Kind::KeyDown, *key});
    } else if (op == "up") {
      events.push_back({ms, ScriptEvent::Kind::KeyUp, *key});
    } else if (op == "tap") {
      events.push_back({ms, ScriptEvent::Kind::KeyDown, *key});
      events.push_back({ms + kTapMs, ScriptEvent::Kind::KeyUp, *key});
    } else {
      Bad(lineNumber, line, "unknown event '" + op + "'");
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.ms < b.ms; });
  return events;
}

}  // namespace sb
