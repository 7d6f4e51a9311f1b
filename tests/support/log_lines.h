#pragma once
// Helpers for reading the simulated host's event log in tests.

#include <sstream>
#include <string>
#include <vector>

namespace sb::test {

struct LogLine {
  int ms = 0;
  std::string op;
  std::string rest;  // subject and fields
};

inline LogLine ParseLogLine(const std::string& line) {
  LogLine out;
  std::istringstream in(line);
  in >> out.ms >> out.op;
  std::getline(in >> std::ws, out.rest);
  return out;
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

}  // namespace sb::test
