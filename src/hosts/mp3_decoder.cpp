#include "hosts/mp3_decoder.h"

#include <mpg123.h>

#include <memory>
#include <string>

#include "platform/runtime_error.h"

namespace sb {

namespace {

struct HandleDeleter {
  void operator()(mpg123_handle* h) const {
    mpg123_close(h);
    mpg123_delete(h);
  }
};

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
  throw RuntimeError(kErrBadFileFormat, "Bad MP3 file " + path.string() + ": " + why);
}

}  // namespace

Pcm DecodeMp3File(const std::filesystem::path& path) {
  int err = MPG123_OK;
  std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, &err));
  if (!handle) Fail(path, mpg123_plain_strerror(err));
  mpg123_handle* mh = handle.get();
  mpg123_param(mh, MPG123_FLAGS, MPG123_QUIET, 0);
  if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
    throw RuntimeError(kErrFileNotFound, "Cannot open " + path.string() + ": " + mpg123_strerror(mh));
  }
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK) Fail(path, mpg123_strerror(mh));
  if (channels < 1 || channels > 2 || rate <= 0) Fail(path, "unusable format");
  // Hold the output to the first frame's format, as 16-bit samples.
  mpg123_format_none(mh);
  mpg123_format(mh, rate, channels, MPG123_ENC_SIGNED_16);

  Pcm pcm;
  pcm.rate = static_cast<int>(rate);
  pcm.channels = channels;
  std::vector<unsigned char> block(mpg123_outblock(mh));
  for (;;) {
    size_t done = 0;
    const int rc = mpg123_read(mh, block.data(), block.size(), &done);
    const auto* samples = reinterpret_cast<const int16_t*>(block.data());
    pcm.samples.insert(pcm.samples.end(), samples, samples + done / sizeof(int16_t));
    if (rc == MPG123_DONE) break;
    if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) Fail(path, mpg123_strerror(mh));
  }
  if (pcm.samples.empty()) Fail(path, "no audio");
  pcm.samples.resize(pcm.samples.size() - pcm.samples.size() % static_cast<size_t>(channels));
  return pcm;
}

}  // namespace sb
