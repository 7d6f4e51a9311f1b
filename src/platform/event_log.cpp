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

std::string LogText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string LogPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

}  // namespace sb
