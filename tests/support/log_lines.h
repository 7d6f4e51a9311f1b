#pragma once
// Helpers for reading the simulated host's event log in tests.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace sb::test {

struct LogLine {
  int ms = 0;
  std::string op;
  std::string rest;  // subject and fields, but for the sound buffer's number
  int buf = 0;       // a sound event's buffer (its last field, buf=N); 0 on other lines
};

// Sound events end in the buffer's number; most tests are about the sound
// alone and compare `rest` without it.
inline LogLine ParseLogLine(const std::string& line) {
  LogLine out;
  std::istringstream in(line);
  in >> out.ms >> out.op;
  std::getline(in >> std::ws, out.rest);
  const auto field = out.rest.rfind(" buf=");
  if (field != std::string::npos && out.rest.find_first_not_of("0123456789", field + 5) == std::string::npos &&
      out.rest.size() > field + 5) {
    out.buf = std::stoi(out.rest.substr(field + 5));
    out.rest.erase(field);
  }
  return out;
}

// The line without its time and buffer number: "play x.wav loop=0 vol=0 pan=0 freq=22050".
inline std::string WithoutTimeAndBuffer(const std::string& line) {
  const LogLine l = ParseLogLine(line);
  return l.rest.empty() ? l.op : l.op + " " + l.rest;
}

// "op subject" of every line whose op is one of `ops` (all lines when empty),
// without the times: the order of events is what most tests check.
inline std::vector<std::string> Events(const std::vector<std::string>& lines, const std::vector<std::string>& ops = {}) {
  std::vector<std::string> out;
  for (const auto& line : lines) {
    const LogLine l = ParseLogLine(line);
    bool wanted = ops.empty();
    for (const auto& op : ops) wanted = wanted || op == l.op;
    if (!wanted) continue;
    const auto space = l.rest.find(' ');
    std::string event = l.op;
    if (!l.rest.empty()) event.append(1, ' ').append(l.rest, 0, space);
    out.push_back(std::move(event));
  }
  return out;
}

// What the program reported to the host (the `report` lines' texts), a line each.
inline std::string Reports(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    const LogLine l = ParseLogLine(line);
    if (l.op == "report") out += l.rest + "\n";
  }
  return out;
}

// The times of the lines with this op about this recording ("play", "stop",
// "vol" ... of "sounds/x.wav"), in order: when it was heard, stopped, turned.
inline std::vector<int32_t> TimesOf(const std::vector<std::string>& lines, const std::string& op,
                                    const std::string& file) {
  std::vector<int32_t> out;
  for (const auto& line : lines) {
    const LogLine l = ParseLogLine(line);
    if (l.op == op && (l.rest == file || l.rest.starts_with(file + " "))) out.push_back(l.ms);
  }
  return out;
}

// How many times an event or recording stands in a list of them.
inline size_t Count(const std::vector<std::string>& list, const std::string& item) {
  return static_cast<size_t>(std::count(list.begin(), list.end(), item));
}

// Where an event or recording first stands in a list at or after `from`;
// the list's size when it does not.
inline size_t IndexOf(const std::vector<std::string>& list, const std::string& item, size_t from = 0) {
  const auto at = std::find(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(), item);
  return static_cast<size_t>(at - list.begin());
}

}  // namespace sb::test
