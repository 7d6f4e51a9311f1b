#pragma once
// The observable record of a run: one line per event,
// "<ms> <op> <path-or-text> key=value ...". Only the simulated host keeps one.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

class EventLog {
 public:
  explicit EventLog(std::ostream* out = nullptr) : out_(out) {}

  // `subject` may be empty; `fields` are already "key=value".
  void Write(int32_t ms, std::string_view op, std::string_view subject = {},
             std::initializer_list<std::string> fields = {});

  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  // Nothing after the program's last word (its exit, or the end of a
  // simulation) is recorded: objects released on the way out are not events.
  void Close() { closed_ = true; }

 private:
  std::ostream* out_;
  bool closed_ = false;
  std::vector<std::string> lines_;
};

// Any text kept on its one line: a backslash written as \\, a line break as
// \r or \n, a tab as \t and any other control character as \xNN.
std::string LogText(std::string_view text);

// Paths in the log use forward slashes and keep the letter case the code used.
std::string LogPath(std::string_view path);

}  // namespace sb
