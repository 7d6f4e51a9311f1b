#pragma once
// What the board's code reply may be before it goes to the clipboard. The
// reply comes from a machine the program does not control, and whatever is on
// the clipboard may next be pasted into a terminal or a browser's address bar.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sb {

// The longest board address copied, in characters.
constexpr size_t kMaxBoardAddress = 2000;

// The address in the board's reply: one http:// or https:// address (the
// scheme in either case), with something after the "//", of at most
// kMaxBoardAddress printable ASCII characters without spaces. One line
// break ("\n" or "\r\n") after it is dropped. Anything else (a second line,
// a space, a control byte, a byte above 127, another scheme) gives nothing.
std::optional<std::string> BoardAddress(std::string_view reply);

}  // namespace sb
