#include "sound/wav_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "platform/runtime_error.h"

namespace sb {

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

[[noreturn]] void Fail(const std::string& label, const std::string& why) {
  throw RuntimeError(kErrBadFileFormat, "Bad sound file " + label + ": " + why);
}

// Walks the RIFF chunks: the decoder would quietly play a cut-off file, so a
// data chunk that runs past the end of the file is caught here.
void CheckRiff(const std::vector<uint8_t>& bytes, const std::string& label) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    Fail(label, "not a WAV file");
  size_t at = 12;
  bool haveFormat = false;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = ReadU32(bytes.data() + at + 4);
    const bool isData = std::memcmp(bytes.data() + at, "data", 4) == 0;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) haveFormat = true;
    if (size > bytes.size() - at - 8) Fail(label, isData ? "the sound data is truncated" : "a chunk is truncated");
    if (isData) {
      if (!haveFormat) Fail(label, "no format before the sound data");
      return;
    }
    at += 8 + size + (size & 1);
  }
  Fail(label, "no sound data");
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
  CheckRiff(bytes, label);
  MemoryFile file{&bytes};
  SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
  SF_INFO info{};
  SNDFILE* sf = sf_open_virtual(&io, SFM_READ, &info, &file);
  if (!sf) Fail(label, sf_strerror(nullptr));
  struct Closer {
    SNDFILE* sf;
    ~Closer() { sf_close(sf); }
  } closer{sf};

  if ((info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV) Fail(label, "not a WAV file");
  if (info.channels < 1 || info.channels > 2) Fail(label, "only mono and stereo sounds are supported");
  if (info.samplerate < 1000 || info.samplerate > 192000) Fail(label, "unusable sample rate");
  if (info.frames < 0 || info.frames > (sf_count_t{1} << 30)) Fail(label, "unusable length");

  Pcm pcm;
  pcm.rate = info.samplerate;
  pcm.channels = info.channels;
  pcm.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(sf, pcm.samples.data(), info.frames);
  if (got != info.frames) Fail(label, "the sound data is truncated");
  return pcm;
}

}  // namespace sb
