#pragma once
// The files of the built sound tree, decoded with the same libraries the
// game uses (libsndfile for wave files, libmpg123 for MP3).

#include <filesystem>
#include <string>
#include <vector>

namespace soundtree {

struct Decoded {
  std::string error;  // empty when the file decoded
  int rate = 0;
  int channels = 0;
  bool pcm16_wav = false;
  std::vector<std::vector<float>> samples;  // per channel, full scale = 1.0

  size_t Frames() const { return samples.empty() ? 0 : samples.front().size(); }
  double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0.0; }
};

Decoded DecodeWav(const std::filesystem::path& path);
Decoded DecodeMp3(const std::filesystem::path& path);

}  // namespace soundtree
