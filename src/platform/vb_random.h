#pragma once
// The random generator the game's odds were tuned with: a 24-bit linear
// congruential generator re-seeded from the time of day. Its arithmetic is
// kept exactly so that the spread of random values stays what it was.

#include <cstdint>

namespace sb {

class VbRandom {
 public:
  // A value in [0, 1), a multiple of 2^-24.
  float Next();
  // Mixes the time of day (seconds since midnight) into the seed's middle bytes.
  void Randomize(float timerSeconds);
  uint32_t Seed() const { return seed_; }

 private:
  uint32_t seed_ = 0x50000;
};

}  // namespace sb
