#pragma once
// The words of what is being said, for the window: each spoken recording has
// its words in the captions table (made from the sound tree's manifest at
// build time); number words spoken one after another join into one line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sb {

struct CaptionEntry {
  const char* path;   // lower case, forward slashes
  const char* words;
  const char* bare;   // the recording's own sounds without its words; empty when it has none
};
extern const CaptionEntry kCaptionTable[];
extern const size_t kCaptionTableSize;

// The words of a recording, found without regard to case or slash direction;
// nothing for effects, music and names not in the tree.
std::optional<std::string_view> CaptionFor(std::string_view file);
// The sounds a spoken recording holds besides its words (the bed under them,
// the sounds after them), as a recording of their own; empty when it holds none.
std::string_view SoundsWithoutWords(std::string_view file);

// The caption line as recordings start: a spoken recording replaces the line,
// a number word following number words joins it ("twelve thousand three
// hundred forty-five"), and sounds without words leave it as it is.
class CaptionLine {
 public:
  // Returns whether the line changed.
  bool Started(std::string_view file);
  void Clear();
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  bool numberRun_ = false;  // the line is made of number words
  bool afterTens_ = false;  // the last word was twenty .. ninety
};

}  // namespace sb
