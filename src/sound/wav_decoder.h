#pragma once
// Decodes WAV files (PCM, mono or stereo, any rate) into 16-bit frames.

#include <cstdint>
#include <string>
#include <vector>

#include "sound/pcm.h"

namespace sb {

// Throws RuntimeError(kErrBadFileFormat) for a malformed or truncated file;
// `label` names the file in the message.
Pcm DecodeWav(const std::vector<uint8_t>& bytes, const std::string& label);

}  // namespace sb
