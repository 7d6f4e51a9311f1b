#pragma once
// Builds the whole sound tree from the manifest, in parallel.

#include <filesystem>
#include <string>

namespace sg {

struct GeneratorOptions {
  std::filesystem::path manifest;
  std::filesystem::path out;      // the program folder; the tree goes under it
  std::filesystem::path cache;    // speech cache and scratch files
  std::filesystem::path scripts;  // folder of the mp3 scripts
  int jobs = 0;                   // 0: one per processor
  std::string only;               // build only rows whose path contains this (for trying sounds out)
};

// Returns 0 when every file was made; otherwise prints what went wrong, row
// by row, and returns 1. Files from earlier builds that the manifest no
// longer names are removed, so the tree holds exactly the manifest.
int RunGenerator(const GeneratorOptions& options);

}  // namespace sg
