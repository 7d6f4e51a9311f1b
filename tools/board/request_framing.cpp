#include "request_framing.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace sb::board {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The body a head announces: its one Content-Length when that is a length the
// board takes, otherwise none (the head is then refused on its own).
size_t AnnouncedBody(std::string_view head) {
  size_t count = 0;
  std::optional<size_t> length;
  head.remove_prefix(std::min(head.size(), head.find(kLineEnd)));  // the request line
  while (!head.empty()) {
    head.remove_prefix(kLineEnd.size());
    const std::string_view line = head.substr(0, head.find(kLineEnd));
    head.remove_prefix(line.size());
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos && SameLetters(line.substr(0, colon), "Content-Length")) {
      ++count;
      length = ReadLength(Trimmed(line.substr(colon + 1)));
    }
  }
  return count == 1 && length && *length <= kMaxBody ? *length : 0;
}

}  // namespace

Frame FrameRequest(std::string_view bytes) {
  const size_t end = bytes.find("\r\n\r\n");
  const std::string_view head = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 2);
  const bool tooManyFields = static_cast<size_t>(std::count(head.begin(), head.end(), '\n')) > kMaxHeaderFields + 1;
  if (end == std::string_view::npos) {
    return bytes.size() >= kMaxHeadBytes || tooManyFields ? Frame{Framing::HeadTooLarge} : Frame{Framing::Partial};
  }
  if (end + 4 > kMaxHeadBytes || tooManyFields) return {Framing::HeadTooLarge};
  const size_t size = end + 4 + AnnouncedBody(head);
  return {bytes.size() >= size ? Framing::Whole : Framing::Partial, end + 4, size};
}

std::optional<size_t> ReadLength(std::string_view text) {
  if (text.empty()) return std::nullopt;
  size_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const size_t digit = static_cast<size_t>(c - '0');
    value = value > (std::numeric_limits<size_t>::max() - digit) / 10 ? std::numeric_limits<size_t>::max()
                                                                       : value * 10 + digit;
  }
  return value;
}

}  // namespace sb::board
