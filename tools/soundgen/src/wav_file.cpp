#include "wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace sg {

namespace {

void Put16(std::vector<char>& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::vector<char>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void PutTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

uint32_t Get32(const std::vector<char>& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

uint16_t Get16(const std::vector<char>& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, const std::vector<char>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  const std::filesystem::path tmp = path.string() + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw WavError("cannot write " + tmp.string());
  }
  std::filesystem::rename(tmp, path);
}

void WriteWav(const std::filesystem::path& path, const Sound& sound) {
  const uint16_t channels = static_cast<uint16_t>(sound.channels.size());
  if (channels == 0) throw WavError("no channels for " + path.string());
  const size_t frames = sound.Frames();
  const uint32_t data_bytes = static_cast<uint32_t>(frames * channels * 2);
  std::vector<char> out;
  out.reserve(44 + data_bytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + data_bytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, static_cast<uint32_t>(sound.rate));
  Put32(out, static_cast<uint32_t>(sound.rate) * channels * 2);
  Put16(out, static_cast<uint16_t>(channels * 2));
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, data_bytes);
  for (size_t i = 0; i < frames; ++i) {
    for (const Buf& ch : sound.channels) {
      const double v = std::clamp(static_cast<double>(ch[i]), -1.0, 1.0) * 32767.0;
      Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))));
    }
  }
  WriteFileAtomically(path, out);
}

Sound ReadWav(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw WavError("cannot open " + path.string());
  const std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto fail = [&](const std::string& why) -> WavError { return WavError(path.string() + ": " + why); };
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
    throw fail("not a RIFF wave file");
  }
  int channels = 0, rate = 0, bits = 0, format = 0;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const uint32_t size = Get32(b, at + 4);
    const size_t body = at + 8;
    if (size > b.size() - body) throw fail("chunk runs past the end of the file");
    if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16) {
      format = Get16(b, body);
      channels = Get16(b, body + 2);
      rate = static_cast<int>(Get32(b, body + 4));
      bits = Get16(b, body + 14);
    } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
      if (format != 1 || bits != 16 || channels < 1 || rate <= 0) throw fail("not 16-bit PCM");
      Sound s;
      s.rate = rate;
      s.channels.assign(static_cast<size_t>(channels), Buf());
      const size_t frames = size / (2u * static_cast<unsigned>(channels));
      for (Buf& ch : s.channels) ch.resize(frames);
      for (size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
          const auto v = static_cast<int16_t>(Get16(b, body + (i * channels + c) * 2));
          s.channels[static_cast<size_t>(c)][i] = static_cast<float>(v / 32768.0);
        }
      }
      return s;
    }
    at = body + size + (size & 1);
  }
  throw fail("no data chunk");
}

}  // namespace sg
