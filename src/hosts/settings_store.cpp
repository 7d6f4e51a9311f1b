#include "hosts/settings_store.h"

#include <cerrno>
#include <string_view>
#include <utility>
#include <vector>

#include "hosts/file_store.h"

namespace sb {

namespace {

// Keeps keys and values on one line whatever they hold.
std::string OneLine(std::string s) {
  for (char& c : s) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return s;
}

std::string Header(const std::string& app, const std::string& section) {
  // Appended piece by piece: GCC 12 warns falsely of an overlap in "[" + string.
  std::string header = "[";
  header.append(OneLine(app)).append("/").append(OneLine(section)).append("]");
  return header;
}

// A line of the file: its text, and its line break exactly as the file has it
// ("\n", "\r\n", even "\r\r\n"; "" for a last line without one), so that
// lines the game does not change are written back byte for byte.
struct Line {
  std::string text;
  std::string end;
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  for (size_t begin = 0; begin < text.size();) {
    const size_t newline = text.find('\n', begin);
    const size_t stop = newline == std::string::npos ? text.size() : newline + 1;
    size_t bare = newline == std::string::npos ? text.size() : newline;
    while (bare > begin && text[bare - 1] == '\r') --bare;
    lines.push_back({text.substr(begin, bare - begin), text.substr(bare, stop - bare)});
    begin = stop;
  }
  return lines;
}

// The line break the file uses (its first), for the lines the game adds.
std::string UsualEnd(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (line.end.ends_with('\n')) return line.end;
  }
  return "\n";
}

// The header line of [app/section] and the line after its last entry; both
// lines.size() when the section is not there.
std::pair<size_t, size_t> FindSection(const std::vector<Line>& lines, const std::string& app,
                                      const std::string& section) {
  const std::string header = Header(app, section);
  for (size_t begin = 0; begin < lines.size(); ++begin) {
    if (lines[begin].text != header) continue;
    size_t end = begin + 1;
    while (end < lines.size() && (lines[end].text.empty() || lines[end].text[0] != '[')) ++end;
    return {begin, end};
  }
  return {lines.size(), lines.size()};
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The value when the line sets key ("key=value", spaces around either allowed:
// the file is also edited by hand).
std::optional<std::string> EntryValue(const std::string& line, const std::string& key) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos || Trimmed(std::string_view(line).substr(0, eq)) != OneLine(key)) return std::nullopt;
  return std::string(Trimmed(std::string_view(line).substr(eq + 1)));
}

}  // namespace

std::string SetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                        const std::string& key, const std::string& value) {
  const std::string entry = OneLine(key) + "=" + OneLine(value);
  std::vector<Line> lines = SplitLines(ini);
  const std::string newline = UsualEnd(lines);
  if (!lines.empty() && !lines.back().end.ends_with('\n')) lines.back().end += newline;
  const auto [begin, end] = FindSection(lines, app, section);
  if (begin == lines.size()) {
    if (!lines.empty() && !lines.back().text.empty()) lines.push_back({"", newline});
    lines.push_back({Header(app, section), newline});
    lines.push_back({entry, newline});
  } else {
    size_t insertAt = begin + 1;
    bool replaced = false;
    for (size_t i = begin + 1; i < end && !replaced; ++i) {
      if (EntryValue(lines[i].text, key)) {
        lines[i].text = entry;
        replaced = true;
      } else if (!lines[i].text.empty()) {
        insertAt = i + 1;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{entry, newline});
  }
  std::string out;
  for (const Line& line : lines) out += line.text + line.end;
  return out;
}

std::optional<std::string> GetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                                       const std::string& key) {
  const std::vector<Line> lines = SplitLines(ini);
  const auto [begin, end] = FindSection(lines, app, section);
  for (size_t i = begin + 1; i < end; ++i) {
    if (auto value = EntryValue(lines[i].text, key)) return value;
  }
  return std::nullopt;
}

std::optional<std::string> ReadIniSetting(const std::filesystem::path& file, const std::string& app,
                                          const std::string& section, const std::string& key) {
  const auto text = ReadWholeFile(file);
  if (!text) return std::nullopt;
  return GetIniValue(std::string(text->begin(), text->end()), app, section, key);
}

bool WriteIniSetting(const std::filesystem::path& file, const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value) {
  const auto old = ReadWholeFile(file);
  // A file that is there but cannot be read holds the player's other settings:
  // writing the one value over it would lose them all.
  if (!old && errno != ENOENT && errno != ENOTDIR) return false;
  const std::string text = SetIniValue(old ? std::string(old->begin(), old->end()) : std::string(), app, section,
                                       key, value);
  return WriteFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace sb
