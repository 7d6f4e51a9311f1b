#pragma once
// Where the simulated host's input events come from: a whole script read in
// advance, or, in lockstep, lines read from a stream as the clock needs them.
//
// In lockstep the clock runs up to the time of the next line the feed holds.
// When it holds none it writes "<ms> wait" (once for each time the clock
// stops), flushes, and blocks for more lines. Lines for the current time take
// effect at once and the feed reads on; a line for a later time (an event, or
// "<ms> run" for no input) lets the clock go again. A tap's release is not a
// line of its own: it comes due while the feed waits. At the end of the stream
// the clock runs freely, as after the last line of a script. The events come
// in the order a script of the same lines would give.

#include <cstdint>
#include <deque>
#include <istream>
#include <optional>
#include <ostream>
#include <vector>

#include "hosts/sim_script.h"

namespace sb {

class ScriptFeed {
 public:
  // A whole script, sorted by time.
  explicit ScriptFeed(std::vector<ScriptEvent> events = {});
  // Lockstep: lines from `in`, the waits to `out` (if any).
  ScriptFeed(std::istream& in, std::ostream* out);

  // The next event due at `now` (a "run" is never returned), or nothing.
  // Lockstep: throws std::invalid_argument for a line it cannot read or one
  // for a time the clock has passed.
  std::optional<ScriptEvent> NextDue(int32_t now);

 private:
  void ReadLine(int32_t now);
  void Hold(const ScriptEvent& event);

  std::deque<ScriptEvent> held_;
  int heldLines_ = 0;  // held events that stand for a line (not a tap's release)
  std::istream* in_ = nullptr;
  std::ostream* out_ = nullptr;
  int lineNumber_ = 0;
  std::optional<int32_t> waitedAt_;
};

}  // namespace sb
