// sb_soundgen: builds the game's sound tree from the manifest.
//
//   sb_soundgen --manifest FILE --out DIR --cache DIR [--scripts DIR] [--jobs N] [--only TEXT]

#include <cstdlib>
#include <iostream>
#include <string>

#include "generator.h"

namespace {

int Usage(const std::string& problem) {
  std::cerr << "sb_soundgen: " << problem << "\n"
            << "usage: sb_soundgen --manifest FILE --out DIR --cache DIR [--scripts DIR] [--jobs N] [--only TEXT]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  sg::GeneratorOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return Usage("missing value after " + flag);
    const std::string value = argv[++i];
    if (flag == "--manifest") {
      options.manifest = value;
    } else if (flag == "--out") {
      options.out = value;
    } else if (flag == "--cache") {
      options.cache = value;
    } else if (flag == "--scripts") {
      options.scripts = value;
    } else if (flag == "--jobs") {
      char* end = nullptr;
      options.jobs = static_cast<int>(std::strtol(value.c_str(), &end, 10));
      if (*end != '\0' || options.jobs < 1 || options.jobs > 64) return Usage("--jobs takes 1 to 64");
    } else if (flag == "--only") {
      options.only = value;
    } else {
      return Usage("unknown option " + flag);
    }
  }
  if (options.manifest.empty() || options.out.empty() || options.cache.empty()) {
    return Usage("--manifest, --out and --cache are required");
  }
  if (options.scripts.empty()) options.scripts = options.manifest.parent_path() / "scripts";
  if (const char* jobs = std::getenv("SB_SOUNDGEN_JOBS"); jobs && options.jobs == 0) options.jobs = std::atoi(jobs);
  return sg::RunGenerator(options);
}
