#pragma once
// The simulated host's input script: one timed event per line,
//   <ms> down KEY | <ms> up KEY | <ms> tap KEY
// KEY is the key's name without its DIK_ prefix. Blank lines and lines
// starting with '#' are ignored.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace sb {

struct ScriptEvent {
  enum class Kind { KeyDown, KeyUp };
  int32_t ms = 0;
  Kind kind = Kind::KeyDown;
  uint8_t key = 0;
};

// Throws std::invalid_argument naming the line for anything it cannot read.
// The events come back sorted by time, in script order within one millisecond.
std::vector<ScriptEvent> ParseScript(std::istream& in);

}  // namespace sb
