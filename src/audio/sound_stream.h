#pragma once
// A recording read a piece at a time, for recordings too long to hold whole
// (the intro and the credits).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio/pcm.h"

namespace sb {

class SoundStream {
 public:
  virtual ~SoundStream() = default;
  virtual int Rate() const = 0;      // frames per second, 8000..48000
  virtual int Channels() const = 0;  // 1 or 2
  // Writes up to `frames` interleaved frames to `out`; fewer only at the end
  // of the recording, 0 once it is over. Throws RuntimeError when the file
  // turns out to be broken part-way.
  virtual size_t Read(int16_t* out, size_t frames) = 0;
};

// Serves a recording already held whole.
std::unique_ptr<SoundStream> StreamOf(std::shared_ptr<const Pcm> pcm);

// Reads a stream to its end; throws RuntimeError when it is longer than
// maxFrames, so a file can never take more memory than that.
Pcm ReadWholeStream(SoundStream& stream, size_t maxFrames);

}  // namespace sb
