#pragma once
// The simulated host's sound tree: every name resolves to a silent recording
// of a chosen length (500 ms unless told otherwise), or is marked missing.
// Tests set lengths to control how long a shield or a prompt lasts.

#include <map>
#include <memory>
#include <set>
#include <string>

#include "audio/sound_library.h"

namespace sb {

class VirtualSoundLibrary : public SoundLibrary {
 public:
  static constexpr int kRate = 22050;
  static constexpr int kDefaultLengthMs = 500;

  // Names are matched like the real tree: any slash, any letter case.
  void SetLength(const std::string& name, int milliseconds);
  void SetMissing(const std::string& name);

  std::shared_ptr<const Pcm> Load(std::string_view name) override;
  // Silence of the recording's length, made as it is read: a recording of
  // hours takes no memory.
  std::unique_ptr<SoundStream> OpenStream(std::string_view name) override;

 private:
  int LengthMs(const std::string& key) const;
  void CheckPresent(std::string_view name, const std::string& key) const;

  std::map<std::string, int> lengths_;
  std::set<std::string> missing_;
  std::map<std::string, std::shared_ptr<const Pcm>> cache_;
};

}  // namespace sb
