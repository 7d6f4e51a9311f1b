// The key-map reader under libFuzzer: any bytes give a table of usable keys
// and buttons, which written back reads again unchanged and without complaint.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/key_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  const sb::ActionTable table = sb::DecodeKeyMap(std::vector<uint8_t>(data, data + size), problems);
  for (const sb::ActionRecord& r : table) {
    if (r.active || r.button >= sb::kJoyButtonCount) std::abort();
  }
  const std::vector<uint8_t> written = sb::EncodeKeyMap(table);
  std::vector<std::string> again;
  if (written.size() != sb::kKeyMapBytes || sb::EncodeKeyMap(sb::DecodeKeyMap(written, again)) != written ||
      !again.empty()) {
    std::abort();
  }
  return 0;
}
