#include "platform/event_log.h"

#include <algorithm>

namespace sb {

void EventLog::Write(int32_t ms, std::string_view op, std::string_view subject,
                     std::initializer_list<std::string> fields) {
  if (closed_) return;
  std::string line = std::to_string(ms);
  line += ' ';
  line += op;
  if (!subject.empty()) {
    line += ' ';
    line += subject;
  }
  for (const auto& field : fields) {
    line += ' ';
    line += field;
  }
  if (out_) *out_ << line << '\n';
  lines_.push_back(std::move(line));
}

std::string LogPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

}  // namespace sb
