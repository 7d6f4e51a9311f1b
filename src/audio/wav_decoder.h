#pragma once
// Decodes WAV files (integer PCM of 8 to 32 bits, plain or extensible, mono or
// stereo, any rate) into 16-bit frames. Every byte is taken as hostile: only
// the format and the sound data reach the decoding library, and a recording
// never holds more frames than its data has bytes for.

#include <cstdint>
#include <string>
#include <vector>

#include "audio/pcm.h"

namespace sb {

// Throws RuntimeError(kErrBadFileFormat) for a malformed or truncated file;
// `label` names the file in the message.
Pcm DecodeWav(const std::vector<uint8_t>& bytes, const std::string& label);

}  // namespace sb
