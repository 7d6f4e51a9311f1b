#include "manifest.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace sg {

namespace {

std::string Trim(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}

std::vector<std::string> SplitOn(std::string_view s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      parts.push_back(Trim(s.substr(start, i - start)));
      start = i + 1;
    }
  }
  return parts;
}

bool ParseDouble(std::string_view s, double& out) {
  if (s.empty()) return false;
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, out);
  return ec == std::errc() && ptr == end && std::isfinite(out);
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

class RowReader {
 public:
  RowReader(std::string_view source, int line) : source_(source), line_(line) {}

  [[noreturn]] void Fail(const std::string& message) const {
    std::ostringstream out;
    out << source_ << ":" << line_ << ": " << message;
    throw ManifestError(out.str());
  }

  Entry Read(const std::vector<std::string>& cols) const {
    if (cols.size() != 7) {
      Fail("expected 7 columns (path | kind | play | channels | length | content | why), found " +
           std::to_string(cols.size()));
    }
    Entry e;
    e.line = line_;
    e.path = cols[0];
    e.kind = ReadKind(cols[1]);
    e.loop = ReadPlay(cols[2]);
    e.channels = ReadChannels(cols[3]);
    ReadLength(cols[4], e);
    e.content = cols[5];
    e.why = cols[6];
    CheckPath(e);
    CheckConsistency(e);
    e.file = NormalizeName(e.path);
    return e;
  }

 private:
  Kind ReadKind(const std::string& s) const {
    if (s == "speech") return Kind::kSpeech;
    if (s == "effect") return Kind::kEffect;
    if (s == "music") return Kind::kMusic;
    if (s == "mp3") return Kind::kMp3;
    if (s == "bare") return Kind::kBare;
    Fail("unknown kind '" + s + "' (speech, effect, music, mp3 or bare)");
  }

  bool ReadPlay(const std::string& s) const {
    if (s == "once") return false;
    if (s == "loop") return true;
    Fail("unknown play '" + s + "' (once or loop)");
  }

  int ReadChannels(const std::string& s) const {
    if (s == "1") return 1;
    if (s == "2") return 2;
    Fail("channels must be 1 or 2, not '" + s + "'");
  }

  void ReadLength(const std::string& s, Entry& e) const {
    std::string_view number = s;
    e.exact_length = true;
    if (number.substr(0, 2) == "<=") {
      e.exact_length = false;
      number = std::string_view(s).substr(2);
    }
    if (!ParseDouble(Trim(number), e.seconds) || e.seconds <= 0.0 || e.seconds > 900.0) {
      Fail("length must be seconds between 0 and 900, as '3.0' or '<=2.5', not '" + s + "'");
    }
  }

  void CheckPath(const Entry& e) const {
    if (e.path.empty()) Fail("empty path");
    if (e.path.front() == '/' || e.path.front() == '\\') Fail("path '" + e.path + "' must be relative");
    const std::string norm = NormalizeName(e.path);
    if (norm.find("..") != std::string::npos || norm.find("//") != std::string::npos) {
      Fail("path '" + e.path + "' must stay inside the tree");
    }
    for (unsigned char c : e.path) {
      if (std::isspace(c) || c < 0x20) Fail("path '" + e.path + "' contains a space or control character");
    }
    const bool mp3 = EndsWith(norm, ".mp3");
    if (!mp3 && !EndsWith(norm, ".wav")) Fail("path '" + e.path + "' must end in .wav or .mp3");
    if (mp3 != (e.kind == Kind::kMp3)) Fail("only mp3 rows may name .mp3 files, and they must");
  }

  void CheckConsistency(const Entry& e) const {
    if (e.content.empty()) Fail("empty content for '" + e.path + "'");
    const bool timed = e.kind == Kind::kEffect || e.kind == Kind::kMusic;
    if (timed && !e.exact_length) Fail("effects and music need an exact length, not an upper bound");
    if (!timed && e.exact_length) Fail("speech and mp3 lengths are upper bounds, written '<=seconds'");
    if (e.loop && !timed) Fail("only effects and music can loop");
    if (timed && e.why.empty()) Fail("say why '" + e.path + "' lasts " + std::to_string(e.seconds) + " s");
  }

  std::string_view source_;
  int line_;
};

}  // namespace

std::string NormalizeName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c == '\\') c = '/';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::kSpeech: return "speech";
    case Kind::kEffect: return "effect";
    case Kind::kMusic: return "music";
    case Kind::kMp3: return "mp3";
    case Kind::kBare: return "bare";
  }
  return "?";
}

const Entry* Manifest::Find(std::string_view name) const {
  const std::string key = NormalizeName(name);
  for (const Entry& e : entries) {
    if (e.file == key) return &e;
  }
  return nullptr;
}

Manifest ParseManifest(std::string_view text, std::string_view source_name) {
  Manifest m;
  std::unordered_map<std::string, int> seen;  // file -> line
  int line_no = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trim(text.substr(pos, end - pos));
    ++line_no;
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    RowReader reader(source_name, line_no);
    Entry e = reader.Read(SplitOn(line, '|'));
    if (auto [it, fresh] = seen.emplace(e.file, line_no); !fresh) {
      reader.Fail("'" + e.path + "' is the same file as line " + std::to_string(it->second) +
                  " (names are compared without case and slash style)");
    }
    m.entries.push_back(std::move(e));
  }
  if (m.entries.empty()) throw ManifestError(std::string(source_name) + ": no rows");
  return m;
}

Manifest LoadManifest(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ManifestError("cannot read manifest " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return ParseManifest(text.str(), path.filename().string());
}

double Call::Num(const std::string& key, double fallback) const {
  auto it = args.find(key);
  if (it == args.end()) return fallback;
  double v = 0.0;
  if (!ParseDouble(it->second, v)) {
    throw std::invalid_argument("'" + name + "': " + key + "=" + it->second + " is not a number");
  }
  return v;
}

std::string Call::Text(const std::string& key, const std::string& fallback) const {
  auto it = args.find(key);
  return it == args.end() ? fallback : it->second;
}

namespace {

Call ParseTokens(std::string_view text, bool named) {
  Call call;
  std::istringstream in{std::string(text)};
  std::string token;
  while (in >> token) {
    if (named && call.name.empty()) {
      call.name = token;
      continue;
    }
    const size_t eq = token.find('=');
    if (eq == std::string::npos) {
      call.flags.insert(token);
    } else if (eq == 0 || eq + 1 == token.size()) {
      throw std::invalid_argument("malformed setting '" + token + "' in '" + std::string(text) + "'");
    } else {
      call.args[token.substr(0, eq)] = token.substr(eq + 1);
    }
  }
  if (named && call.name.empty()) throw std::invalid_argument("empty recipe");
  return call;
}

}  // namespace

Call ParseCall(std::string_view text) { return ParseTokens(text, true); }
Call ParseSettings(std::string_view text) { return ParseTokens(text, false); }

SpeechContent ParseSpeechContent(std::string_view content) {
  SpeechContent out;
  const std::string text(content);
  const size_t then_at = text.find("then:");
  const size_t over_at = text.find("over:");
  if (then_at != std::string::npos && over_at != std::string::npos) {
    throw std::invalid_argument("a prompt takes 'then:' or 'over:', not both");
  }
  const size_t cut = std::min(then_at, over_at);
  out.words = Trim(std::string_view(text).substr(0, cut));
  if (out.words.empty()) throw std::invalid_argument("a prompt needs words");
  if (then_at != std::string::npos) {
    for (const std::string& item : SplitOn(std::string_view(text).substr(then_at + 5), ',')) {
      out.then.push_back(ParseCall(item));
    }
  } else if (over_at != std::string::npos) {
    out.over = ParseCall(std::string_view(text).substr(over_at + 5));
  }
  return out;
}

}  // namespace sg
