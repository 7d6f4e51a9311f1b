#pragma once
// The sound tree on disk. Each recording is decoded once and kept, so loading
// it again (an alien released for the tenth time) costs no file access. MP3
// recordings are streamed from the file instead.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "audio/path_resolver.h"
#include "audio/sound_library.h"

namespace sb {

// Opens an MP3 file for streaming; throws RuntimeError when it cannot.
using Mp3Opener = std::function<std::unique_ptr<SoundStream>(const std::filesystem::path& path)>;

class DiskSoundLibrary : public SoundLibrary {
 public:
  DiskSoundLibrary(std::filesystem::path root, Mp3Opener mp3);

  std::shared_ptr<const Pcm> Load(std::string_view name) override;
  std::unique_ptr<SoundStream> OpenStream(std::string_view name) override;

 private:
  std::filesystem::path Find(std::string_view name);
  std::unique_ptr<SoundStream> OpenMp3(const std::filesystem::path& path, std::string_view name) const;
  std::shared_ptr<const Pcm> Decode(const std::filesystem::path& path, std::string_view name);

  PathResolver resolver_;
  Mp3Opener mp3_;
  std::unordered_map<std::string, std::shared_ptr<const Pcm>> byName_;
  std::unordered_map<std::string, std::shared_ptr<const Pcm>> byPath_;
};

}  // namespace sb
