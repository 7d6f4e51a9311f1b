#include "hosts/script_feed.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sb {

ScriptFeed::ScriptFeed(std::vector<ScriptEvent> events) : held_(events.begin(), events.end()) {
  heldLines_ = static_cast<int>(std::count_if(held_.begin(), held_.end(), [](const ScriptEvent& e) { return !e.followsTap; }));
}

ScriptFeed::ScriptFeed(std::istream& in, std::ostream* out) : in_(&in), out_(out) {}

std::optional<ScriptEvent> ScriptFeed::NextDue(int32_t now) {
  for (;;) {
    if (!held_.empty() && held_.front().ms <= now) {
      const ScriptEvent e = held_.front();
      held_.pop_front();
      if (!e.followsTap) --heldLines_;
      if (e.kind == ScriptEvent::Kind::Run) continue;
      return e;
    }
    if (!in_ || heldLines_ > 0) return std::nullopt;
    if (out_ && waitedAt_ != now) {
      *out_ << now << " wait\n";
      out_->flush();
    }
    waitedAt_ = now;
    ReadLine(now);
  }
}

void ScriptFeed::ReadLine(int32_t now) {
  std::string line;
  if (!std::getline(*in_, line)) {
    in_ = nullptr;  // the end of the input: the clock runs on freely
    return;
  }
  std::vector<ScriptEvent> events;
  ParseScriptLine(line, ++lineNumber_, events);
  for (const ScriptEvent& e : events) {
    if (e.ms < now) {
      throw std::invalid_argument(
          ScriptLineError(lineNumber_, line, "the clock is at " + std::to_string(now) + " ms already"));
    }
    Hold(e);
  }
}

// After every held event of its time or earlier: the order a sorted script keeps.
void ScriptFeed::Hold(const ScriptEvent& event) {
  const auto at = std::upper_bound(held_.begin(), held_.end(), event.ms,
                                   [](int32_t ms, const ScriptEvent& e) { return ms < e.ms; });
  held_.insert(at, event);
  if (!event.followsTap) ++heldLines_;
}

}  // namespace sb
