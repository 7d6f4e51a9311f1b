#pragma once
// Simulator scripts written in tests as the simulator reads them.

#include <sstream>
#include <string>
#include <vector>

#include "hosts/sim_script.h"

namespace sb::test {

inline std::vector<ScriptEvent> Script(const std::string& text) {
  std::istringstream in(text);
  return ParseScript(in);
}

}  // namespace sb::test
