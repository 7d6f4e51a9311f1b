#include "platform/vb_random.h"

#include <cstring>

namespace sb {

float VbRandom::Next() {
  seed_ = (seed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(seed_) / 16777216.0f;
}

void VbRandom::Randomize(float timerSeconds) {
  uint32_t bits;
  std::memcpy(&bits, &timerSeconds, sizeof bits);
  const uint32_t middle = (((bits & 0xFFFFu) ^ (bits >> 16)) << 8) & 0xFFFF00u;
  seed_ = (seed_ & 0xFF0000FFu) | middle;
}

}  // namespace sb
