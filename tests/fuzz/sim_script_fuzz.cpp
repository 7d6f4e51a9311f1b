// The simulator's script reader under libFuzzer, read whole and in lockstep:
// any text gives events in time order with values in range, or an error
// naming the line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "hosts/script_feed.h"
#include "hosts/sim_script.h"

namespace {

void CheckEvent(const sb::ScriptEvent& e) {
  if (e.ms < 0 || e.control > 31 || e.joystick < 1 || e.joystick > 10) std::abort();
  if (e.kind == sb::ScriptEvent::Kind::Axis && (e.value < -32768 || e.value > 32767)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    std::istringstream in(text);
    int32_t last = 0;
    for (const sb::ScriptEvent& e : sb::ParseScript(in)) {
      CheckEvent(e);
      if (e.ms < last) std::abort();
      last = e.ms;
    }
  } catch (const std::invalid_argument& e) {
    if (std::string(e.what()).rfind("script line ", 0) != 0) std::abort();
  }
  // Lockstep, over the first second of the clock.
  try {
    std::istringstream in(text);
    sb::ScriptFeed feed(in, nullptr);
    for (int32_t now = 0; now < 1000; ++now) {
      while (const auto e = feed.NextDue(now)) {
        CheckEvent(*e);
        if (e->ms > now || e->kind == sb::ScriptEvent::Kind::Run) std::abort();
      }
    }
  } catch (const std::invalid_argument& e) {
    if (std::string(e.what()).rfind("script line ", 0) != 0) std::abort();
  }
  return 0;
}
