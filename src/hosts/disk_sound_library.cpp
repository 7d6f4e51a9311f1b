#include "hosts/disk_sound_library.h"

#include "audio/wav_decoder.h"
#include "hosts/file_store.h"
#include "platform/event_log.h"
#include "platform/runtime_error.h"

namespace sb {

namespace {

bool EndsWithMp3(const std::string& normalized) {
  return normalized.size() >= 4 && normalized.compare(normalized.size() - 4, 4, ".mp3") == 0;
}

// An MP3 loaded whole as a sound (not streamed) is held to this length.
constexpr size_t kMaxLoadedMp3Seconds = 120;

}  // namespace

DiskSoundLibrary::DiskSoundLibrary(std::filesystem::path root, Mp3Opener mp3)
    : resolver_(std::move(root)), mp3_(std::move(mp3)) {}

std::shared_ptr<const Pcm> DiskSoundLibrary::Load(std::string_view name) {
  const std::string key = NormalizeSoundName(name);
  if (auto hit = byName_.find(key); hit != byName_.end()) return hit->second;

  const auto path = Find(name);
  auto& cached = byPath_[path.string()];
  if (!cached) cached = Decode(path, name);
  byName_.emplace(key, cached);
  return cached;
}

std::unique_ptr<SoundStream> DiskSoundLibrary::OpenStream(std::string_view name) {
  if (!EndsWithMp3(NormalizeSoundName(name))) return StreamOf(Load(name));
  return OpenMp3(Find(name), name);
}

// The file of a recording; a folder (or a device) by a recording's name is no recording.
std::filesystem::path DiskSoundLibrary::Find(std::string_view name) {
  const auto path = resolver_.Resolve(name);
  if (!path) throw RuntimeError(kErrFileNotFound, "File not found: " + LogPath(name));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(*path, ec)) throw RuntimeError(kErrFileIo, "Not a sound file: " + LogPath(name));
  return *path;
}

std::unique_ptr<SoundStream> DiskSoundLibrary::OpenMp3(const std::filesystem::path& path, std::string_view name) const {
  if (!mp3_) throw RuntimeError(kErrBadFileFormat, "No MP3 decoder for " + LogPath(name));
  return mp3_(path);
}

std::shared_ptr<const Pcm> DiskSoundLibrary::Decode(const std::filesystem::path& path, std::string_view name) {
  const std::string label = LogPath(name);
  if (EndsWithMp3(NormalizeSoundName(name))) {
    const auto stream = OpenMp3(path, name);
    return std::make_shared<const Pcm>(
        ReadWholeStream(*stream, kMaxLoadedMp3Seconds * static_cast<size_t>(stream->Rate())));
  }
  const auto bytes = ReadWholeFile(path);
  if (!bytes) throw RuntimeError(kErrFileIo, "Cannot read " + label);
  return std::make_shared<const Pcm>(DecodeWav(*bytes, label));
}

}  // namespace sb
