#pragma once
// Text laid out for a message box: SDL's dialog breaks lines only where the
// text does, so a long sentence would run off the screen.

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Breaks `text` at spaces into lines of at most `columns` characters; a word
// longer than a line stands on a line of its own. Line breaks in the text are
// kept; runs of spaces become one.
std::string WrapText(std::string_view text, size_t columns);

}  // namespace sb
