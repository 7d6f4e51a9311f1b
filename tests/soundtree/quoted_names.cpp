#include "quoted_names.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace soundtree {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Reads the literal whose opening quote is at `i`; leaves `i` after the closing quote.
std::string ReadQuoted(std::string_view src, size_t& i, int& line) {
  std::string out;
  for (++i; i < src.size() && src[i] != '"'; ++i) {
    if (src[i] == '\n') ++line;  // unterminated: keep counting
    if (src[i] != '\\' || i + 1 >= src.size()) {
      out += src[i];
      continue;
    }
    const char e = src[++i];
    switch (e) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\n': ++line; break;  // line continuation
      default: out += e; break;  // \\ \" \' and the rest stand for themselves here
    }
  }
  ++i;
  return out;
}

// R"delim( ... )delim", with `i` at the quote after R.
std::string ReadRaw(std::string_view src, size_t& i, int& line) {
  const size_t open = src.find('(', i);
  if (open == std::string_view::npos) {
    i = src.size();
    return {};
  }
  std::string close(1, ')');
  close.append(src.data() + i + 1, open - i - 1);
  close.push_back('"');
  const size_t end = src.find(close, open);
  const size_t stop = end == std::string_view::npos ? src.size() : end;
  std::string out(src.substr(open + 1, stop - open - 1));
  line += static_cast<int>(std::count(out.begin(), out.end(), '\n'));
  i = end == std::string_view::npos ? src.size() : end + close.size();
  return out;
}

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

std::vector<Literal> StringLiterals(std::string_view src) {
  std::vector<Literal> out;
  int line = 1;
  bool joinable = false;  // only whitespace or comments since the last literal
  size_t i = 0;
  while (i < src.size()) {
    const char c = src[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
      while (i < src.size() && src[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
      const size_t end = src.find("*/", i + 2);
      const size_t stop = end == std::string_view::npos ? src.size() : end + 2;
      line += static_cast<int>(std::count(src.begin() + static_cast<long>(i), src.begin() + static_cast<long>(stop), '\n'));
      i = stop;
    } else if (c == '\'') {
      // A character literal, or a digit separator (1'000) which has no closing quote.
      if (i > 0 && std::isdigit(static_cast<unsigned char>(src[i - 1]))) {
        ++i;
        continue;
      }
      for (++i; i < src.size() && src[i] != '\'' && src[i] != '\n'; ++i) {
        if (src[i] == '\\') ++i;
      }
      ++i;
      joinable = false;
    } else if (c == '"' || (c == 'R' && i + 1 < src.size() && src[i + 1] == '"' && (i == 0 || !IsIdentChar(src[i - 1])))) {
      const int start = line;
      std::string text;
      if (c == 'R') {
        ++i;
        text = ReadRaw(src, i, line);
      } else {
        text = ReadQuoted(src, i, line);
      }
      if (joinable && !out.empty()) {
        out.back().text += text;
      } else {
        out.push_back({text, start});
      }
      joinable = true;
      continue;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else {
      joinable = false;
      ++i;
    }
  }
  return out;
}

bool NamesRecording(std::string_view literal) {
  const std::string low = Lower(literal);
  const bool wav = low.size() > 4 && low.ends_with(".wav");
  const bool mp3 = low.size() > 4 && low.ends_with(".mp3");
  if (!wav && !mp3) return false;
  const std::string stem = low.substr(0, low.size() - 4);
  if (stem.empty() || stem.back() == '/' || stem.back() == '\\') return false;
  return stem.find_first_of("%{}*? \t") == std::string::npos;
}

std::vector<QuotedName> QuotedRecordings(const std::filesystem::path& root) {
  std::vector<QuotedName> names;
  if (!std::filesystem::exists(root)) return names;
  for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
    if (!item.is_regular_file()) continue;
    const std::string ext = Lower(item.path().extension().string());
    if (ext != ".cpp" && ext != ".cc" && ext != ".h" && ext != ".hpp" && ext != ".inc") continue;
    std::ifstream in(item.path(), std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const Literal& lit : StringLiterals(source)) {
      if (NamesRecording(lit.text)) names.push_back({lit.text, item.path(), lit.line});
    }
  }
  return names;
}

}  // namespace soundtree
