#include "audio/sound_stream.h"

#include <algorithm>

#include "platform/runtime_error.h"

namespace sb {

namespace {

class PcmStream : public SoundStream {
 public:
  explicit PcmStream(std::shared_ptr<const Pcm> pcm) : pcm_(std::move(pcm)) {}
  int Rate() const override { return pcm_->rate; }
  int Channels() const override { return pcm_->channels; }
  size_t Read(int16_t* out, size_t frames) override {
    const size_t n = std::min(frames, pcm_->Frames() - next_);
    const auto channels = static_cast<size_t>(pcm_->channels);
    std::copy_n(pcm_->samples.begin() + static_cast<std::ptrdiff_t>(next_ * channels), n * channels, out);
    next_ += n;
    return n;
  }

 private:
  std::shared_ptr<const Pcm> pcm_;
  size_t next_ = 0;
};

}  // namespace

std::unique_ptr<SoundStream> StreamOf(std::shared_ptr<const Pcm> pcm) {
  return std::make_unique<PcmStream>(std::move(pcm));
}

Pcm ReadWholeStream(SoundStream& stream, size_t maxFrames) {
  constexpr size_t kPiece = 4096;
  Pcm pcm;
  pcm.rate = stream.Rate();
  pcm.channels = stream.Channels();
  const auto channels = static_cast<size_t>(pcm.channels);
  for (;;) {
    const size_t held = pcm.samples.size();
    pcm.samples.resize(held + kPiece * channels);
    const size_t n = stream.Read(pcm.samples.data() + held, kPiece);
    pcm.samples.resize(held + n * channels);
    if (n == 0) break;
    if (pcm.Frames() > maxFrames) throw RuntimeError(kErrBadFileFormat, "Recording too long");
  }
  return pcm;
}

}  // namespace sb
