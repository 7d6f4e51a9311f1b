// The MP3 stream decoder under libFuzzer: any bytes give sound or the
// decoder's own error, quickly, read a piece at a time as the player reads
// them, never out of bounds and never holding more than a piece.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "hosts/mp3_decoder.h"
#include "platform/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::array<int16_t, 2 * 4096> piece{};
  try {
    auto source = std::make_unique<std::istringstream>(std::string(reinterpret_cast<const char*>(data), size));
    const auto stream = sb::OpenMp3Stream(std::move(source), "fuzz.mp3");
    if (stream->Rate() < 8000 || stream->Rate() > 48000 || stream->Channels() < 1 || stream->Channels() > 2) {
      std::abort();
    }
    size_t total = 0;
    while (const size_t n = stream->Read(piece.data(), 4096)) {
      if (n > 4096) std::abort();
      total += n;
      // Every MPEG frame has a 4-byte header and holds at most 1152 frames of sound.
      if (total > (size / 4 + 2) * 1152) std::abort();
    }
  } catch (const sb::RuntimeError&) {
  }
  return 0;
}
