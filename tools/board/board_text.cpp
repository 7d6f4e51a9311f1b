#include "board_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace sb::board {

namespace {

struct Range {
  char32_t first;
  char32_t last;
};

bool InRanges(const Range* begin, const Range* end, char32_t c) {
  return std::any_of(begin, end, [c](const Range& r) { return c >= r.first && c <= r.last; });
}

constexpr Range kBidiControls[] = {{0x061C, 0x061C}, {0x200E, 0x200F}, {0x202A, 0x202E}, {0x2066, 0x2069}};

// Unicode's white space and default-ignorable characters, and the blank
// Braille pattern: each one shows as nothing or as a gap.
constexpr Range kInvisible[] = {
    {0x0020, 0x0020},   {0x00A0, 0x00A0},   {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C},
    {0x115F, 0x1160},   {0x1680, 0x1680},   {0x17B4, 0x17B5},   {0x180B, 0x180F},   {0x2000, 0x200F},
    {0x2028, 0x202F},   {0x205F, 0x206F},   {0x2800, 0x2800},   {0x3000, 0x3000},   {0x3164, 0x3164},
    {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFF8},   {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

}  // namespace

std::optional<Character> NextCharacter(std::string_view text, size_t at) {
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t extra = lead < 0x80                ? 0
                       : (lead & 0xE0) == 0xC0 ? 1
                       : (lead & 0xF0) == 0xE0 ? 2
                       : (lead & 0xF8) == 0xF0 ? 3
                                               : 4;  // 4: not a first byte
  if (extra == 4 || text.size() - at <= extra) return std::nullopt;
  char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  return Character{code, extra + 1};
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsBidiControl(char32_t c) { return InRanges(std::begin(kBidiControls), std::end(kBidiControls), c); }

bool IsInvisible(char32_t c) { return InRanges(std::begin(kInvisible), std::end(kInvisible), c); }

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = NextCharacter(text, i);
    if (!c || IsControl(c->code) || IsBidiControl(c->code)) {
      out += '?';
      i += c ? c->bytes : 1;
    } else {
      out.append(text.substr(i, c->bytes));
      i += c->bytes;
    }
  }
  return out;
}

}  // namespace sb::board
