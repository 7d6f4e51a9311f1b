#pragma once
// What the input routines keep between polls: the keyboard snapshot and the
// key latches that make one press act once.

#include <array>
#include <cstdint>

#include "platform/dik.h"
#include "platform/host.h"

namespace sb {

struct InputState {
  KeyboardState keys{};               // top bit set while a key is down
  std::array<bool, 256> keyLatch{};   // set by whoever acted on a press
};

inline bool KeyDown(const InputState& input, uint8_t key) { return (input.keys[key] & 0x80) != 0; }
// Down and not yet acted on.
inline bool KeyPressed(const InputState& input, uint8_t key) { return KeyDown(input, key) && !input.keyLatch[key]; }

}  // namespace sb
