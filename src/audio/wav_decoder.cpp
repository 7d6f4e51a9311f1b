#include "audio/wav_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "platform/runtime_error.h"

namespace sb {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The sub-format GUID of PCM in an extensible format chunk (as sox writes it).
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint32_t kPlainFormatBytes = 16;
constexpr uint32_t kExtensibleFormatBytes = 40;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

[[noreturn]] void Fail(const std::string& label, const std::string& why) {
  throw RuntimeError(kErrBadFileFormat, "Bad sound file " + label + ": " + why);
}

// The two chunks a recording needs, as found in the file.
struct Chunks {
  const uint8_t* format = nullptr;
  uint32_t formatBytes = 0;
  const uint8_t* data = nullptr;
  uint32_t dataBytes = 0;
};

// Walks the RIFF chunks for the format and the sound data. Every chunk must
// lie inside the file: a data chunk that runs past its end is a cut-off file,
// which the library would quietly play short.
Chunks FindChunks(const std::vector<uint8_t>& bytes, const std::string& label) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    Fail(label, "not a WAV file");
  Chunks found;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const uint8_t* chunk = bytes.data() + at;
    const uint32_t size = ReadU32(chunk + 4);
    const bool isData = std::memcmp(chunk, "data", 4) == 0;
    if (size > bytes.size() - at - 8) Fail(label, isData ? "the sound data is truncated" : "a chunk is truncated");
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !found.format) {
      found.format = chunk + 8;
      found.formatBytes = size;
    }
    if (isData) {
      if (!found.format) Fail(label, "no format before the sound data");
      found.data = chunk + 8;
      found.dataBytes = size;
      return found;
    }
    at += 8 + size + (size & 1);
  }
  Fail(label, "no sound data");
}

// Accepts plain integer PCM only, plain or in the extensible form; returns the
// bytes of one frame. Compressed formats (MPEG among them) are refused here,
// before any decoder trusts what their headers claim.
uint32_t CheckFormat(const Chunks& chunks, const std::string& label) {
  const uint8_t* f = chunks.format;
  if (chunks.formatBytes < kPlainFormatBytes) Fail(label, "the format is incomplete");
  const uint16_t tag = ReadU16(f);
  const bool extensible = tag == kFormatExtensible && chunks.formatBytes >= kExtensibleFormatBytes &&
                          ReadU16(f + 16) >= 22 && std::memcmp(f + 24, kPcmSubFormat, 16) == 0;
  if (tag != kFormatPcm && !extensible) Fail(label, "only PCM sound is supported");
  const uint16_t channels = ReadU16(f + 2);
  const uint32_t rate = ReadU32(f + 4);
  const uint16_t blockAlign = ReadU16(f + 12);
  const uint16_t bits = ReadU16(f + 14);
  if (channels < 1 || channels > 2) Fail(label, "only mono and stereo sounds are supported");
  if (rate < 1000 || rate > 192000) Fail(label, "unusable sample rate");
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) Fail(label, "unusable sample size");
  if (blockAlign != channels * bits / 8) Fail(label, "the format does not add up");
  return blockAlign;
}

// The recording as a WAV file holding nothing but its format and its data:
// whatever else the file carries (lists, cues, broken metadata) never
// reaches the decoder.
std::vector<uint8_t> Rebuild(const Chunks& chunks) {
  const uint32_t formatBytes =
      ReadU16(chunks.format) == kFormatExtensible ? kExtensibleFormatBytes : kPlainFormatBytes;
  const size_t riffBytes = 4 + 8 + formatBytes + 8 + size_t{chunks.dataBytes} + (chunks.dataBytes & 1);
  std::vector<uint8_t> out(8 + riffBytes);  // a pad byte after odd data stays 0
  uint8_t* at = out.data();
  auto put = [&](const void* from, size_t n) {
    std::memcpy(at, from, n);
    at += n;
  };
  auto put32 = [&](uint64_t v) {
    for (int i = 0; i < 4; ++i) *at++ = static_cast<uint8_t>(v >> (8 * i));
  };
  put("RIFF", 4);
  put32(riffBytes);
  put("WAVEfmt ", 8);
  put32(formatBytes);
  put(chunks.format, formatBytes);
  put("data", 4);
  put32(chunks.dataBytes);
  put(chunks.data, chunks.dataBytes);
  return out;
}

struct MemoryFile {
  const std::vector<uint8_t>* bytes;
  sf_count_t at = 0;
};

sf_count_t Length(void* user) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes->size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t size = static_cast<sf_count_t>(f->bytes->size());
  sf_count_t to = whence == SEEK_SET ? offset : whence == SEEK_CUR ? f->at + offset : size + offset;
  f->at = std::clamp<sf_count_t>(to, 0, size);
  return f->at;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t size = static_cast<sf_count_t>(f->bytes->size());
  const sf_count_t n = std::clamp<sf_count_t>(count, 0, size - f->at);
  std::memcpy(out, f->bytes->data() + f->at, static_cast<size_t>(n));
  f->at += n;
  return n;
}

sf_count_t Write(const void*, sf_count_t, void*) { return 0; }
sf_count_t Tell(void* user) { return static_cast<MemoryFile*>(user)->at; }

}  // namespace

Pcm DecodeWav(const std::vector<uint8_t>& bytes, const std::string& label) {
  const Chunks chunks = FindChunks(bytes, label);
  const uint32_t frameBytes = CheckFormat(chunks, label);
  const std::vector<uint8_t> plain = Rebuild(chunks);
  MemoryFile file{&plain};
  SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
  SF_INFO info{};
  SNDFILE* sf = sf_open_virtual(&io, SFM_READ, &info, &file);
  if (!sf) Fail(label, sf_strerror(nullptr));
  struct Closer {
    SNDFILE* sf;
    ~Closer() { sf_close(sf); }
  } closer{sf};

  if (info.channels != ReadU16(chunks.format + 2)) Fail(label, "the format does not add up");
  // No more frames than the data holds, whatever the library makes of it.
  const sf_count_t frames = std::min<sf_count_t>(info.frames, chunks.dataBytes / frameBytes);
  if (frames < 0) Fail(label, "unusable length");

  Pcm pcm;
  pcm.rate = info.samplerate;
  pcm.channels = info.channels;
  pcm.samples.resize(static_cast<size_t>(frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(sf, pcm.samples.data(), frames);
  if (got != frames) Fail(label, "the sound data is truncated");
  return pcm;
}

}  // namespace sb
