#include "hosts/wrap_text.h"

namespace sb {

std::string WrapText(std::string_view text, size_t columns) {
  std::string out;
  size_t line = 0;  // characters on the current line
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\n' || text[at] == ' ') {
      if (text[at] == '\n') {
        out += '\n';
        line = 0;
      }
      ++at;
      continue;
    }
    size_t end = text.find_first_of(" \n", at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (line > 0 && line + 1 + word.size() > columns) {
      out += '\n';
      line = 0;
    } else if (line > 0) {
      out += ' ';
      ++line;
    }
    out += word;
    line += word.size();
    at = end;
  }
  return out;
}

}  // namespace sb
