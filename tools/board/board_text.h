#pragma once
// Text from the network read one character at a time, and the characters the
// board will not show or write to its log: a name must look like what it is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sb::board {

struct Character {
  char32_t code = 0;
  size_t bytes = 0;  // its length in UTF-8
};

// The character that starts at text[at]; nothing when the bytes there are not
// UTF-8 (cut short, overlong, a surrogate or beyond U+10FFFF).
std::optional<Character> NextCharacter(std::string_view text, size_t at);

// C0 controls, DEL and the C1 controls U+0080-U+009F.
bool IsControl(char32_t c);
// Marks, embeddings, overrides and isolates that reorder the text around them.
bool IsBidiControl(char32_t c);
// Characters that show nothing: spaces of every width, zero-width characters,
// the byte-order mark, fillers, variation selectors and the like.
bool IsInvisible(char32_t c);

// The text fit for one log line: every byte that is not UTF-8, every control
// and every bidi control becomes '?'.
std::string Printable(std::string_view text);

}  // namespace sb::board
