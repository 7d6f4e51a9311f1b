#include "hosts/mp3_decoder.h"

#include <mpg123.h>

#include <array>
#include <fstream>

#include "platform/runtime_error.h"

namespace sb {

namespace {

// Bytes fed to the decoder at a time.
constexpr size_t kFeedBlock = 16 * 1024;
// Bytes of input that may pass without a sound before the file counts as
// having none left: room for a large tag or picture at its start.
constexpr size_t kMaxBytesWithoutSound = 8 * 1024 * 1024;
// Decoder calls in a row that neither give sound nor ask for input.
constexpr int kMaxIdleCalls = 64;

struct HandleDeleter {
  void operator()(mpg123_handle* h) const {
    mpg123_close(h);
    mpg123_delete(h);
  }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

class Mp3Stream : public SoundStream {
 public:
  Mp3Stream(std::unique_ptr<std::istream> source, std::string label) : source_(std::move(source)), label_(std::move(label)) {
    int err = MPG123_OK;
    handle_.reset(mpg123_new(nullptr, &err));
    if (!handle_) Fail(mpg123_plain_strerror(err));
    mpg123_handle* mh = handle_.get();
    // Tags are skipped, not kept; nothing is read from the end of the file.
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2 | MPG123_NO_PEEK_END,
                 0);
    // Always 16-bit samples, at the file's own rate and channel count.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(mh) != MPG123_OK) Fail(mpg123_strerror(mh));
    ReadFormat();
  }

  int Rate() const override { return rate_; }
  int Channels() const override { return channels_; }

  size_t Read(int16_t* out, size_t frames) override {
    const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels_);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    const size_t want = frames * frameBytes;
    size_t got = 0;
    int idle = 0;
    while (got < want && !ended_) {
      size_t done = 0;
      const int rc = mpg123_read(handle_.get(), bytes + got, want - got, &done);
      got += done;
      if (done > 0) bytesWithoutSound_ = 0;
      idle = done > 0 || rc == MPG123_NEED_MORE ? 0 : idle + 1;
      if (rc == MPG123_NEED_MORE) {
        if (!Feed()) ended_ = true;
      } else if (rc == MPG123_DONE || rc == MPG123_NEW_FORMAT) {
        // The sound is over, or goes on in a form the player was not set up for.
        ended_ = true;
      } else if (rc != MPG123_OK) {
        Fail(mpg123_strerror(handle_.get()));
      }
      if (idle > kMaxIdleCalls) Fail("the decoder makes no progress");
    }
    return got / frameBytes;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw RuntimeError(kErrBadFileFormat, "Bad MP3 file " + label_ + ": " + why);
  }

  // Feeds the next block; false at the end of the input.
  bool Feed() {
    if (bytesWithoutSound_ > kMaxBytesWithoutSound) Fail("no sound in " + std::to_string(bytesWithoutSound_) + " bytes");
    source_->read(reinterpret_cast<char*>(block_.data()), static_cast<std::streamsize>(block_.size()));
    const auto n = static_cast<size_t>(source_->gcount());
    if (n == 0) return false;
    bytesWithoutSound_ += n;
    if (mpg123_feed(handle_.get(), block_.data(), n) != MPG123_OK) Fail(mpg123_strerror(handle_.get()));
    return true;
  }

  // Feeds the start of the file until the first frame tells its format.
  void ReadFormat() {
    int idle = 0;
    for (;;) {
      // No sound comes before the format is known: the block stays unused.
      size_t done = 0;
      const int rc = mpg123_read(handle_.get(), block_.data(), block_.size(), &done);
      if (done > 0) Fail("sound before its format");
      if (rc == MPG123_NEW_FORMAT) break;
      if (rc == MPG123_NEED_MORE) {
        idle = 0;
        if (!Feed()) Fail("no MP3 sound");
      } else if (rc == MPG123_DONE) {
        Fail("no MP3 sound");
      } else if (rc != MPG123_OK) {
        Fail(mpg123_strerror(handle_.get()));
      } else if (++idle > kMaxIdleCalls) {
        Fail("the decoder makes no progress");
      }
    }
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(handle_.get(), &rate, &channels, &encoding) != MPG123_OK) Fail(mpg123_strerror(handle_.get()));
    if (rate < 8000 || rate > 48000 || channels < 1 || channels > 2 || encoding != MPG123_ENC_SIGNED_16) {
      Fail("unusable format");
    }
    rate_ = static_cast<int>(rate);
    channels_ = channels;
  }

  std::unique_ptr<std::istream> source_;
  std::string label_;
  Handle handle_;
  std::array<unsigned char, kFeedBlock> block_{};
  size_t bytesWithoutSound_ = 0;
  int rate_ = 0;
  int channels_ = 0;
  bool ended_ = false;
};

}  // namespace

std::unique_ptr<SoundStream> OpenMp3Stream(std::unique_ptr<std::istream> source, const std::string& label) {
  return std::make_unique<Mp3Stream>(std::move(source), label);
}

std::unique_ptr<SoundStream> OpenMp3File(const std::filesystem::path& path) {
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!*file) throw RuntimeError(kErrFileNotFound, "Cannot open " + path.string());
  return OpenMp3Stream(std::move(file), path.string());
}

}  // namespace sb
