#include "hosts/settings_store.h"

#include <sstream>
#include <vector>

#include "platform/file_store.h"

namespace sb {

namespace {

// Keeps keys and values on one line whatever they hold.
std::string OneLine(std::string s) {
  for (char& c : s) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return s;
}

}  // namespace

std::string SetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                        const std::string& key, const std::string& value) {
  std::string header(1, '[');
  header.append(OneLine(app)).append(1, '/').append(OneLine(section)).append(1, ']');
  const std::string entry = OneLine(key) + "=" + OneLine(value);
  std::vector<std::string> lines;
  std::istringstream in(ini);
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  size_t begin = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == header) {
      begin = i;
      break;
    }
  }
  if (begin == lines.size()) {
    if (!lines.empty() && !lines.back().empty()) lines.push_back("");
    lines.push_back(header);
    lines.push_back(entry);
  } else {
    size_t end = begin + 1;
    while (end < lines.size() && (lines[end].empty() || lines[end][0] != '[')) ++end;
    size_t insertAt = begin + 1;
    bool replaced = false;
    for (size_t i = begin + 1; i < end && !replaced; ++i) {
      if (lines[i].rfind(OneLine(key) + "=", 0) == 0) {
        lines[i] = entry;
        replaced = true;
      } else if (!lines[i].empty()) {
        insertAt = i + 1;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }
  std::string out;
  for (const auto& line : lines) out += line + "\n";
  return out;
}

bool WriteIniSetting(const std::filesystem::path& file, const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value) {
  const auto old = ReadWholeFile(file);
  const std::string text = SetIniValue(old ? std::string(old->begin(), old->end()) : std::string(), app, section,
                                       key, value);
  return WriteFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace sb
