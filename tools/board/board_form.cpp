#include "board_form.h"

#include <httplib.h>

#include <charconv>
#include <map>

#include "board_text.h"
#include "scoreboard/board_protocol.h"

namespace sb::board {

namespace {

using Form = std::map<std::string, std::string>;

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

// Valid UTF-8 of at most kMaxTextLength characters, at least one of them
// visible, with no control and nothing that reorders the text around it.
std::optional<Refusal> CheckText(const char* field, const std::string& text) {
  size_t length = 0;
  bool visible = false;
  for (size_t i = 0; i < text.size(); ++length) {
    const auto c = NextCharacter(text, i);
    if (!c || IsControl(c->code)) return Refusal{400, std::string(field) + " holds control characters or is not UTF-8 text"};
    if (IsBidiControl(c->code)) return Refusal{400, std::string(field) + " holds characters that reorder the text"};
    visible = visible || !IsInvisible(c->code);
    i += c->bytes;
  }
  if (length == 0) return Refusal{400, std::string(field) + " is empty"};
  if (!visible) return Refusal{400, std::string(field) + " has no visible character"};
  if (length > kMaxTextLength) {
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
