#pragma once
// The font the window writes with: DejaVu Sans from Debian's fonts-dejavu-core,
// at its fixed path, else whatever fontconfig offers for that name.

#include <filesystem>
#include <optional>
#include <span>

namespace sb {

// Debian's own paths, bold first: captions are read at a glance.
constexpr const char* kWindowFontPaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

// The first readable file of `paths`, else fontconfig's match for DejaVu Sans
// (when `askFontconfig`); nothing when there is no font at all.
std::optional<std::filesystem::path> FindWindowFont(std::span<const char* const> paths = kWindowFontPaths,
                                                    bool askFontconfig = true);

}  // namespace sb
