#pragma once
// "keymap.sbk": the thirteen action records, six bytes each, no header:
// state flag, key code and joystick button as little-endian 16-bit values.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_state.h"

namespace sb {

constexpr size_t kKeyMapBytes = 78;

using ActionTable = std::array<ActionRecord, kActionCount>;

std::vector<uint8_t> EncodeKeyMap(const ActionTable& actions);

// Reads a key map. A short file, or a key or button out of range, keeps the
// default for what cannot be read; each such problem is listed.
ActionTable DecodeKeyMap(const std::vector<uint8_t>& bytes, std::vector<std::string>& problems);

// The default keys and joystick buttons, state flags clear.
ActionTable DefaultActionTable();

}  // namespace sb
