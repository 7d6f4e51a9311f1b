#pragma once
// Finds the recording names that program source quotes: string literals that
// end in ".wav" or ".mp3", in any letter case and with either slash.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace soundtree {

struct Literal {
  std::string text;  // with escapes resolved and adjacent literals joined
  int line = 0;      // where it starts
};

// Every string literal of C++ source, skipping comments and character literals.
std::vector<Literal> StringLiterals(std::string_view source);

// True for a literal that names a recording: it ends in .wav or .mp3 and has
// a name before the extension that is not a format pattern ("%d.wav").
bool NamesRecording(std::string_view literal);

struct QuotedName {
  std::string name;
  std::filesystem::path file;
  int line = 0;
};

// The recording names quoted in every source file under `root`.
std::vector<QuotedName> QuotedRecordings(const std::filesystem::path& root);

}  // namespace soundtree
