// The player-file reader under libFuzzer: any bytes give a record, and the
// record written back reads again as a sound file with the same values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/player_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const sb::DecodedPlayerFile first = sb::DecodePlayerFile(std::vector<uint8_t>(data, data + size));
  const std::vector<uint8_t> written = sb::EncodePlayerFile(first.record);
  const sb::DecodedPlayerFile again = sb::DecodePlayerFile(written);
  if (!again.problems.empty() || !again.haveEncodedBest) std::abort();
  if (sb::EncodePlayerFile(again.record) != written) std::abort();
  return 0;
}
