#pragma once
// A board's reply written as one line of text, "STATUS" or "STATUS TEXT",
// where TEXT may hold \n, \r and \\: how the simulator and the board server
// are told what to answer when a client's handling of replies is tested.

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace sb {

struct ScriptedReply {
  int status = 200;
  std::string body;
};

// Nothing when the text is not a reply: no status from 100 to 599, or an unknown escape.
inline std::optional<ScriptedReply> ParseScriptedReply(std::string_view text) {
  ScriptedReply reply;
  const size_t space = text.find(' ');
  const std::string_view status = text.substr(0, space);
  const auto [end, ec] = std::from_chars(status.data(), status.data() + status.size(), reply.status);
  if (ec != std::errc() || end != status.data() + status.size() || reply.status < 100 || reply.status > 599) {
    return std::nullopt;
  }
  if (space == std::string_view::npos) return reply;
  for (size_t i = space + 1; i < text.size(); ++i) {
    if (text[i] != '\\') {
      reply.body += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 'n': reply.body += '\n'; break;
      case 'r': reply.body += '\r'; break;
      case '\\': reply.body += '\\'; break;
      default: return std::nullopt;
    }
  }
  return reply;
}

}  // namespace sb
