#pragma once
// The sound tree on disk. Each recording is decoded once and kept, so loading
// it again (an alien released for the tenth time) costs no file access.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "sound/path_resolver.h"
#include "sound/sound_library.h"

namespace sb {

using Mp3Decoder = std::function<Pcm(const std::filesystem::path& path)>;

class DiskSoundLibrary : public SoundLibrary {
 public:
  DiskSoundLibrary(std::filesystem::path root, Mp3Decoder mp3);

  std::shared_ptr<const Pcm> Load(std::string_view name) override;

 private:
  std::shared_ptr<const Pcm> Decode(const std::filesystem::path& path, std::string_view name);

  PathResolver resolver_;
  Mp3Decoder mp3_;
  std::unordered_map<std::string, std::shared_ptr<const Pcm>> byName_;
  std::unordered_map<std::string, std::shared_ptr<const Pcm>> byPath_;
};

}  // namespace sb
