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

 private:
  std::ostream* out_;
  std::vector<std::string> lines_;
};

// Paths in the log use forward slashes and keep the letter case the code used.
std::string LogPath(std::string_view path);

}  // namespace sb
