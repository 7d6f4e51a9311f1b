#pragma once

#include <filesystem>

#include "sound/pcm.h"

namespace sb {

// Decodes a whole MP3 file to 16-bit frames at its own rate and channel count.
// Throws RuntimeError for a missing or undecodable file.
Pcm DecodeMp3File(const std::filesystem::path& path);

}  // namespace sb
