#pragma once
// A decoded recording: interleaved 16-bit samples at the file's own rate.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sb {

struct Pcm {
  int rate = 22050;
  int channels = 1;
  std::vector<int16_t> samples;

  size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
  // Length in milliseconds when played at its own rate.
  int64_t DurationMs() const { return rate > 0 ? static_cast<int64_t>(Frames()) * 1000 / rate : 0; }
};

}  // namespace sb
