#pragma once
// The recordings beside the program, loaded by the names the code uses.

#include <memory>
#include <string_view>

#include "audio/pcm.h"
#include "audio/sound_stream.h"

namespace sb {

class SoundLibrary {
 public:
  virtual ~SoundLibrary() = default;
  // Throws RuntimeError (file not found, bad file format) when the recording
  // cannot be had; never returns null.
  virtual std::shared_ptr<const Pcm> Load(std::string_view name) = 0;
  // The recording a piece at a time, so that it need not be held whole;
  // throws as Load does when it cannot be had.
  virtual std::unique_ptr<SoundStream> OpenStream(std::string_view name) { return StreamOf(Load(name)); }
};

}  // namespace sb
