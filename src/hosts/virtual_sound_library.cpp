#include "hosts/virtual_sound_library.h"

#include <algorithm>

#include "audio/path_resolver.h"
#include "platform/event_log.h"
#include "platform/runtime_error.h"

namespace sb {

namespace {

class SilentStream : public SoundStream {
 public:
  explicit SilentStream(size_t frames) : left_(frames) {}
  int Rate() const override { return VirtualSoundLibrary::kRate; }
  int Channels() const override { return 1; }
  size_t Read(int16_t* out, size_t frames) override {
    const size_t n = std::min(frames, left_);
    std::fill_n(out, n, int16_t{0});
    left_ -= n;
    return n;
  }

 private:
  size_t left_;
};

size_t FramesOf(int ms) { return static_cast<size_t>(ms) * VirtualSoundLibrary::kRate / 1000; }

}  // namespace

void VirtualSoundLibrary::SetLength(const std::string& name, int milliseconds) {
  const std::string key = NormalizeSoundName(name);
  lengths_[key] = milliseconds < 0 ? 0 : milliseconds;
  cache_.erase(key);
}

void VirtualSoundLibrary::SetMissing(const std::string& name) { missing_.insert(NormalizeSoundName(name)); }

int VirtualSoundLibrary::LengthMs(const std::string& key) const {
  const auto it = lengths_.find(key);
  return it != lengths_.end() ? it->second : kDefaultLengthMs;
}

void VirtualSoundLibrary::CheckPresent(std::string_view name, const std::string& key) const {
  if (missing_.count(key) || !SplitSoundName(name)) {
    throw RuntimeError(kErrFileNotFound, "File not found: " + LogPath(name));
  }
}

std::shared_ptr<const Pcm> VirtualSoundLibrary::Load(std::string_view name) {
  const std::string key = NormalizeSoundName(name);
  CheckPresent(name, key);
  auto& cached = cache_[key];
  if (!cached) {
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = kRate;
    pcm->channels = 1;
    pcm->samples.assign(FramesOf(LengthMs(key)), 0);
    cached = std::move(pcm);
  }
  return cached;
}

std::unique_ptr<SoundStream> VirtualSoundLibrary::OpenStream(std::string_view name) {
  const std::string key = NormalizeSoundName(name);
  CheckPresent(name, key);
  return std::make_unique<SilentStream>(FramesOf(LengthMs(key)));
}

}  // namespace sb
