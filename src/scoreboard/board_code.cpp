#include "scoreboard/board_code.h"

#include <algorithm>

namespace sb {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char p, char t) { return p == (t >= 'A' && t <= 'Z' ? t - 'A' + 'a' : t); });
}

// Visible ASCII: no space, no control byte, nothing above 127.
bool Printable(char c) { return c > ' ' && c < 0x7F; }

}  // namespace

std::optional<std::string> BoardAddress(std::string_view reply) {
  if (reply.ends_with("\r\n")) {
    reply.remove_suffix(2);
  } else if (reply.ends_with('\n')) {
    reply.remove_suffix(1);
  }
  size_t schemeLength = 0;
  if (StartsWithNoCase(reply, "https://")) {
    schemeLength = 8;
  } else if (StartsWithNoCase(reply, "http://")) {
    schemeLength = 7;
  }
  if (schemeLength == 0 || reply.size() == schemeLength || reply.size() > kMaxBoardAddress) return std::nullopt;
  if (!std::all_of(reply.begin(), reply.end(), Printable)) return std::nullopt;
  return std::string(reply);
}

}  // namespace sb
