#pragma once
// Reading and writing 16-bit PCM wave files. The writer makes the plain
// 44-byte header every decoder understands; files are written to a temporary
// name and renamed, so an interrupted build never leaves half a file.

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "dsp.h"

namespace sg {

struct Sound {
  int rate = 44100;
  std::vector<Buf> channels;  // one buffer per channel, equal lengths

  size_t Frames() const { return channels.empty() ? 0 : channels.front().size(); }
};

class WavError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Samples are clamped to full scale and rounded to 16 bits.
void WriteWav(const std::filesystem::path& path, const Sound& sound);
// Reads 16-bit PCM (any channel count); throws WavError on anything else.
Sound ReadWav(const std::filesystem::path& path);

// Writes `bytes` to `path` through a temporary file in the same folder.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<char>& bytes);

}  // namespace sg
