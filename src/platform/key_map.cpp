#include "platform/key_map.h"

namespace sb {

namespace {

void PutInt16(std::vector<uint8_t>& out, int16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((static_cast<uint16_t>(v) >> 8) & 0xFF));
}

int16_t GetInt16(const std::vector<uint8_t>& in, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(in[at] | in[at + 1] << 8));
}

}  // namespace

ActionTable DefaultActionTable() {
  ActionTable table{};
  for (int a = 0; a < kActionCount; ++a) {
    table[a].key = kDefaultKeys[a];
    table[a].button = kDefaultButtons[a];
  }
  return table;
}

std::vector<uint8_t> EncodeKeyMap(const ActionTable& actions) {
  std::vector<uint8_t> out;
  out.reserve(kKeyMapBytes);
  for (const ActionRecord& r : actions) {
    PutInt16(out, r.active ? -1 : 0);
    PutInt16(out, r.key);
    PutInt16(out, r.button);
  }
  return out;
}

ActionTable DecodeKeyMap(const std::vector<uint8_t>& bytes, std::vector<std::string>& problems) {
  ActionTable table = DefaultActionTable();
  if (bytes.size() != kKeyMapBytes) {
    problems.push_back("the key map has " + std::to_string(bytes.size()) + " bytes instead of 78");
  }
  for (int a = 0; a < kActionCount; ++a) {
    const size_t at = static_cast<size_t>(a) * 6;
    if (at + 6 > bytes.size()) break;
    // The state flag is whatever it was at save time; it means nothing on load.
    const int16_t key = GetInt16(bytes, at + 2);
    const int16_t button = GetInt16(bytes, at + 4);
    if (key >= 0 && key <= 255) {
      table[a].key = static_cast<uint8_t>(key);
    } else {
      problems.push_back("action " + std::to_string(a) + " has key " + std::to_string(key));
    }
    if (button >= 0 && button < kJoyButtonCount) {
      table[a].button = static_cast<uint8_t>(button);
    } else {
      problems.push_back("action " + std::to_string(a) + " has joystick button " + std::to_string(button));
    }
  }
  return table;
}

}  // namespace sb
