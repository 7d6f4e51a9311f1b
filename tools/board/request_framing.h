#pragma once
// Where one request ends in the bytes a client has sent so far, found before
// anything is parsed: the head (request line and header fields) ends at the
// first empty line, and a body follows only when the head gives exactly one
// Content-Length within the board's limit. Any other body (chunked, too long,
// of two lengths) is not waited for: the head alone is judged and refused.

#include <cstddef>
#include <optional>
#include <string_view>

namespace sb::board {

constexpr size_t kMaxHeadBytes = 8192;   // request line and header fields together
constexpr size_t kMaxHeaderFields = 64;
constexpr size_t kMaxBody = 4096;

enum class Framing {
  Partial,       // more is to come
  Whole,         // the request is all there
  HeadTooLarge,  // the head is longer or has more fields than the board takes
};

struct Frame {
  Framing framing = Framing::Partial;
  size_t head = 0;  // the bytes of the head, once it is all there
  size_t size = 0;  // the bytes of the request, head and body, once the head is all there
};

Frame FrameRequest(std::string_view bytes);

// A Content-Length value: decimal digits only; nothing when it is not one
// or is beyond any size the board could take.
std::optional<size_t> ReadLength(std::string_view text);

}  // namespace sb::board
