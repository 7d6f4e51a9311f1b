#pragma once
// Turns manifest rows into sounds: recipes for effects and music, the speech
// bank for prompts, and both together for prompts with a sound after or under
// their words.

#include <filesystem>
#include <set>
#include <string>

#include "manifest.h"
#include "recipes.h"
#include "speech.h"
#include "wav_file.h"

namespace sg {

struct RenderContext {
  const Manifest& manifest;
  const Registry& recipes;
  const SpeechBank* speech = nullptr;  // null while only checking
  std::filesystem::path scripts_dir;   // where mp3 scripts live
};

// Default peak levels: speech a little below full scale, effects a little
// lower so a prompt stands out over the play.
constexpr double kSpeechPeak = 0.89;
constexpr double kEffectPeak = 0.8;

// An effect or music row rendered at `rate` (0: its own rate), looped and
// levelled exactly as it is written to the tree.
Sound RenderRecipeRow(const Entry& e, const RenderContext& rc, int rate = 0);
// A speech row: the words, and whatever plays after or under them.
Sound RenderSpeechRow(const Entry& e, const RenderContext& rc);
// A bare row: the speech row it names without the words, only the bed under
// them or the sounds after them, for the game to play when another voice says
// the words.
Sound RenderBareRow(const Entry& e, const RenderContext& rc);
// An mp3 row's audio before encoding: its script spoken over its bed.
Sound RenderScript(const Entry& e, const RenderContext& rc);

// Everything the rows will ask the synthesizer to say.
std::set<std::string> TextsToSpeak(const Manifest& m, const std::filesystem::path& scripts_dir);
// Checks every row's content before anything is made; throws ManifestError
// listing each bad row by line.
void CheckContents(const RenderContext& rc);

// Blends the extra tail of a rendered loop into its head so that the last
// sample leads smoothly into the first; `b` shrinks to `period` frames.
void JoinLoop(Buf& b, size_t period);

}  // namespace sg
