#pragma once
// Scripts for the long recordings (the introduction and the credits): one
// spoken line per line of text, with game sounds and pauses between them.
//
//   # a comment
//   Any other line is spoken.
//   play: sounds/agreen.wav for=2.5     (a manifest sound, settings as in the manifest)
//   pause: 1.5                          (seconds of quiet)
//   A blank line is a short pause between paragraphs.

#include <filesystem>
#include <string>
#include <vector>

#include "manifest.h"

namespace sg {

struct ScriptStep {
  enum Kind { kSay, kPause, kPlay } kind = kSay;
  std::string text;          // kSay
  double seconds = 0.0;      // kPause
  double pause_after = 0.0;  // kSay: quiet after the line
  Call sound;                // kPlay
};

struct Script {
  std::vector<ScriptStep> steps;
};

// Throws ManifestError naming the file and line of a bad line.
Script ParseScript(std::string_view text, std::string_view source_name);
Script LoadScript(const std::filesystem::path& path);

}  // namespace sg
