#include "board_form.h"

#include <httplib.h>

#include <charconv>
#include <map>

#include "scoreboard/board_protocol.h"

namespace sb::board {

namespace {

using Form = std::map<std::string, std::string>;

// The number of characters in valid UTF-8 text without control characters;
// nothing when the text is not that.
std::optional<size_t> PrintableLength(std::string_view text) {
  static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t extra = lead < 0x80                ? 0
                         : (lead & 0xE0) == 0xC0 ? 1
                         : (lead & 0xF0) == 0xE0 ? 2
                         : (lead & 0xF8) == 0xF0 ? 3
                                                 : 4;  // 4: not a first byte
    if (extra == 4 || text.size() - i <= extra) return std::nullopt;
    uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = code << 6 | (next & 0x3F);
    }
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return std::nullopt;
    i += extra + 1;
  }
  return count;
}

// name=value pairs split on '&', each decoded; one line break may end the body.
std::optional<Refusal> ReadForm(std::string_view body, Form& form) {
  if (body.ends_with("\r\n")) {
    body.remove_suffix(2);
  } else if (body.ends_with("\n")) {
    body.remove_suffix(1);
  }
  while (!body.empty()) {
    const size_t amp = body.find('&');
    const std::string_view pair = body.substr(0, amp);
    body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
    const size_t eq = pair.find('=');
    if (eq == std::string_view::npos) return Refusal{400, "a form field has no '='"};
    const std::string name = httplib::detail::decode_url(std::string(pair.substr(0, eq)), true);
    const std::string value = httplib::detail::decode_url(std::string(pair.substr(eq + 1)), true);
    if (!form.emplace(name, value).second) return Refusal{400, "the field \"" + name + "\" is given twice"};
  }
  return std::nullopt;
}

std::optional<Refusal> Need(const Form& form, const char* name, std::string& out) {
  const auto it = form.find(name);
  if (it == form.end()) return Refusal{400, std::string("the field \"") + name + "\" is missing"};
  out = it->second;
  return std::nullopt;
}

std::optional<Refusal> CheckText(const char* field, const std::string& text) {
  const auto length = PrintableLength(text);
  if (!length) return Refusal{400, std::string(field) + " holds control characters or is not UTF-8 text"};
  if (*length == 0) return Refusal{400, std::string(field) + " is empty"};
  if (*length > kMaxTextLength) {
    return Refusal{400, std::string(field) + " is longer than " + std::to_string(kMaxTextLength) + " characters"};
  }
  return std::nullopt;
}

std::optional<Refusal> CheckBoard(const std::string& title) {
  if (title != kBoardTitle) return Refusal{404, "there is no board called \"" + title + "\" here"};
  return std::nullopt;
}

// A whole number from 0 to 2147483647, digits only.
std::optional<int64_t> ReadScore(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text[0] == '-' || value > INT32_MAX) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Refusal> ReadSubmission(std::string_view body, Submission& out) {
  Form form;
  std::string title, score;
  if (auto r = ReadForm(body, form)) return r;
  if (auto r = Need(form, "boardtitle", title)) return r;
  if (auto r = Need(form, "gamer", out.gamer)) return r;
  if (auto r = Need(form, "score", score)) return r;
  if (auto r = Need(form, "date", out.date)) return r;
  if (form.size() != 4) return Refusal{400, "the form has fields other than boardtitle, gamer, score and date"};
  if (auto r = CheckBoard(title)) return r;
  if (auto r = CheckText("gamer", out.gamer)) return r;
  if (auto r = CheckText("date", out.date)) return r;
  const auto value = ReadScore(score);
  if (!value) return Refusal{400, "score is not a whole number from 0 to 2147483647"};
  out.score = *value;
  return std::nullopt;
}

std::optional<Refusal> ReadCodeRequest(std::string_view body) {
  Form form;
  std::string id;
  if (auto r = ReadForm(body, form)) return r;
  if (auto r = Need(form, "id", id)) return r;
  if (form.size() != 1) return Refusal{400, "the form has fields other than id"};
  return CheckBoard(id);
}

}  // namespace sb::board
