#include "hosts/virtual_sound_library.h"

#include "platform/event_log.h"
#include "platform/runtime_error.h"
#include "sound/path_resolver.h"

namespace sb {

void VirtualSoundLibrary::SetLength(const std::string& name, int milliseconds) {
  const std::string key = NormalizeSoundName(name);
  lengths_[key] = milliseconds < 0 ? 0 : milliseconds;
  cache_.erase(key);
}

void VirtualSoundLibrary::SetMissing(const std::string& name) { missing_.insert(NormalizeSoundName(name)); }

std::shared_ptr<const Pcm> VirtualSoundLibrary::Load(std::string_view name) {
  const std::string key = NormalizeSoundName(name);
  if (missing_.count(key) || !SplitSoundName(name)) {
    throw RuntimeError(kErrFileNotFound, "File not found: " + LogPath(name));
  }
  auto& cached = cache_[key];
  if (!cached) {
    const auto it = lengths_.find(key);
    const int ms = it != lengths_.end() ? it->second : kDefaultLengthMs;
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = kRate;
    pcm->channels = 1;
    pcm->samples.assign(static_cast<size_t>(ms) * kRate / 1000, 0);
    cached = std::move(pcm);
  }
  return cached;
}

}  // namespace sb
