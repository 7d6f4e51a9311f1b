// The WAV decoder under libFuzzer: any bytes give a recording or the decoder's
// own error, quickly, never reading out of bounds or asking for memory the
// file cannot justify.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/wav_decoder.h"
#include "platform/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const sb::Pcm pcm = sb::DecodeWav(std::vector<uint8_t>(data, data + size), "fuzz.wav");
    // Every sample comes from at least one byte of the file.
    if (pcm.samples.size() > size) std::abort();
  } catch (const sb::RuntimeError&) {
  }
  return 0;
}
