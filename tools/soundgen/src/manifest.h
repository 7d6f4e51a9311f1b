#pragma once
// The manifest: one row per file of the sound tree.
//
//   path | kind | play | channels | length | content | why
//
// path      the name exactly as the program writes it (either slash, any case)
// kind      speech, effect, music, mp3 or bare
// play      once or loop (a loop must join without a click)
// channels  1 or 2
// length    seconds: "3.0" is exact (effects, music); "<=2.5" is an upper
//           bound for things whose length the voice decides (speech, mp3)
// content   speech: the words, optionally followed by "then: <sounds>" (played
//           after the words) or "over: <recipe>" (a bed under the words);
//           effect and music: a recipe name and key=value settings;
//           mp3: script=<file> bed=<music path>;
//           bare: the path of a speech row with a bed or sounds after its
//           words: the same without the words (the game plays it when the
//           player's own voice says them)
// why       why the sound is as long as it is, or what it is for
//
// Blank lines and lines starting with '#' are ignored.

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Kind { kSpeech, kEffect, kMusic, kMp3, kBare };

struct Entry {
  int line = 0;
  std::string path;   // as the program names it
  std::string file;   // lower case with forward slashes: where it lies on disk
  Kind kind = Kind::kEffect;
  bool loop = false;
  int channels = 1;
  bool exact_length = true;  // false: `seconds` is an upper bound
  double seconds = 0.0;
  std::string content;
  std::string why;
};

struct Manifest {
  std::vector<Entry> entries;
  // Looks a name up the way the program's resolver does (case and slashes ignored).
  const Entry* Find(std::string_view name) const;
};

// Lower case, forward slashes: the form in which names are compared and written.
std::string NormalizeName(std::string_view name);

// Throws ManifestError naming the source and line of the first bad row.
Manifest ParseManifest(std::string_view text, std::string_view source_name);
Manifest LoadManifest(const std::filesystem::path& path);

std::string_view KindName(Kind kind);

// A recipe call such as "alien_voice colour=green peak=0.8 loud".
struct Call {
  std::string name;
  std::map<std::string, std::string> args;
  std::set<std::string> flags;

  double Num(const std::string& key, double fallback) const;
  std::string Text(const std::string& key, const std::string& fallback) const;
  bool Flag(const std::string& key) const { return flags.count(key) > 0; }
};

// Throws std::invalid_argument on an empty call or a malformed setting.
Call ParseCall(std::string_view text);
// Settings only ("script=intro.txt bed=..."), without a recipe name.
Call ParseSettings(std::string_view text);

// The parts of a speech row's content.
struct SpeechContent {
  std::string words;
  std::vector<Call> then;   // sounds played after the words, each a manifest path with settings
  std::optional<Call> over; // a bed recipe under the words
};

SpeechContent ParseSpeechContent(std::string_view content);

}  // namespace sg
