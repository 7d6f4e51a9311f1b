#include "hosts/window_font.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <string>

namespace sb {

namespace {

std::optional<std::filesystem::path> AskFontconfig() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return std::nullopt;
  std::optional<std::filesystem::path> found;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
  if (pattern) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file &&
          access(reinterpret_cast<const char*>(file), R_OK) == 0) {
        found = std::filesystem::path(reinterpret_cast<const char*>(file));
      }
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  return found;
}

}  // namespace

std::optional<std::filesystem::path> FindWindowFont(std::span<const char* const> paths, bool askFontconfig) {
  for (const char* path : paths) {
    if (access(path, R_OK) == 0) return std::filesystem::path(path);
  }
  return askFontconfig ? AskFontconfig() : std::nullopt;
}

}  // namespace sb
