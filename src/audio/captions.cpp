#include "audio/captions.h"

#include <algorithm>
#include <cctype>

namespace sb {

namespace {

constexpr std::string_view kNumberFolder = "sounds/numbers/";

std::string NormalPath(std::string_view file) {
  std::string path(file);
  for (char& c : path) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

// The number a number word's file stands for (sounds/numbers/40.wav is 40), or -1.
int NumberOf(std::string_view path) {
  if (path.substr(0, kNumberFolder.size()) != kNumberFolder) return -1;
  std::string_view name = path.substr(kNumberFolder.size());
  int value = 0;
  size_t i = 0;
  for (; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])); ++i) value = value * 10 + (name[i] - '0');
  return i > 0 && name.substr(i) == ".wav" ? value : -1;
}

const CaptionEntry* EntryFor(std::string_view file) {
  const std::string path = NormalPath(file);
  const CaptionEntry* end = kCaptionTable + kCaptionTableSize;
  const CaptionEntry* found =
      std::find_if(kCaptionTable, end, [&](const CaptionEntry& e) { return path == e.path; });
  return found == end ? nullptr : found;
}

}  // namespace

std::optional<std::string_view> CaptionFor(std::string_view file) {
  const CaptionEntry* entry = EntryFor(file);
  if (!entry) return std::nullopt;
  return std::string_view(entry->words);
}

std::string_view SoundsWithoutWords(std::string_view file) {
  const CaptionEntry* entry = EntryFor(file);
  return entry ? entry->bare : "";
}

bool CaptionLine::Started(std::string_view file) {
  const std::optional<std::string_view> words = CaptionFor(file);
  if (!words) return false;
  const std::string path = NormalPath(file);
  const bool numberWord = path.substr(0, kNumberFolder.size()) == kNumberFolder;
  const int value = NumberOf(path);
  if (numberWord && numberRun_ && !text_.empty()) {
    // Forty then five reads "forty-five", as it is written.
    text_ += afterTens_ && value >= 1 && value <= 9 ? "-" : " ";
    text_ += *words;
  } else {
    text_ = *words;
  }
  numberRun_ = numberWord;
  afterTens_ = value >= 20 && value <= 90 && value % 10 == 0;
  return true;
}

void CaptionLine::Clear() {
  text_.clear();
  numberRun_ = false;
  afterTens_ = false;
}

}  // namespace sb
