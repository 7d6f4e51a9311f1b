#include "decoded.h"

#include <mpg123.h>
#include <sndfile.h>

#include <memory>

namespace soundtree {

namespace {

void Deinterleave(const std::vector<short>& in, int channels, Decoded& d) {
  d.samples.assign(static_cast<size_t>(channels), {});
  const size_t frames = in.size() / static_cast<size_t>(channels);
  for (auto& ch : d.samples) ch.resize(frames);
  for (size_t i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) d.samples[static_cast<size_t>(c)][i] = in[i * channels + c] / 32768.0f;
  }
}

}  // namespace

Decoded DecodeWav(const std::filesystem::path& path) {
  Decoded d;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    d.error = sf_strerror(nullptr);
    return d;
  }
  std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> closer(file, sf_close);
  d.rate = info.samplerate;
  d.channels = info.channels;
  d.pcm16_wav = info.format == (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  if (info.channels < 1 || info.frames < 0) {
    d.error = "no channels";
    return d;
  }
  std::vector<short> all(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(file, all.data(), info.frames);
  if (got != info.frames) {
    d.error = "read " + std::to_string(got) + " of " + std::to_string(info.frames) + " frames";
    return d;
  }
  Deinterleave(all, info.channels, d);
  return d;
}

Decoded DecodeMp3(const std::filesystem::path& path) {
  Decoded d;
  int err = MPG123_OK;
  std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> mh(mpg123_new(nullptr, &err), mpg123_delete);
  if (!mh) {
    d.error = mpg123_plain_strerror(err);
    return d;
  }
  mpg123_param(mh.get(), MPG123_FLAGS, MPG123_QUIET, 0);
  if (mpg123_open(mh.get(), path.c_str()) != MPG123_OK) {
    d.error = mpg123_strerror(mh.get());
    return d;
  }
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(mh.get(), &rate, &channels, &encoding) != MPG123_OK) {
    d.error = mpg123_strerror(mh.get());
    mpg123_close(mh.get());
    return d;
  }
  mpg123_format_none(mh.get());
  mpg123_format(mh.get(), rate, channels, MPG123_ENC_SIGNED_16);
  std::vector<short> all;
  std::vector<unsigned char> buf(mpg123_outblock(mh.get()));
  for (;;) {
    size_t done = 0;
    const int rc = mpg123_read(mh.get(), buf.data(), buf.size(), &done);
    const short* s = reinterpret_cast<const short*>(buf.data());
    all.insert(all.end(), s, s + done / sizeof(short));
    if (rc == MPG123_DONE) break;
    if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
      d.error = mpg123_strerror(mh.get());
      break;
    }
  }
  mpg123_close(mh.get());
  d.rate = static_cast<int>(rate);
  d.channels = channels;
  if (channels > 0) Deinterleave(all, channels, d);
  return d;
}

}  // namespace soundtree
