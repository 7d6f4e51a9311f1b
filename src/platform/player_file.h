#pragma once
// "sbinfo.sbr": the player record written field after field with no padding:
// bytes, little-endian 16-bit integers (true is -1) and 32-bit longs, and
// texts as a 16-bit length followed by their characters.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/player_record.h"

namespace sb {

std::vector<uint8_t> EncodePlayerFile(const PlayerRecord& record);

struct DecodedPlayerFile {
  PlayerRecord record;
  // What was wrong with the file; empty for a sound one.
  std::vector<std::string> problems;
  // The encoded best text was present (possibly empty); when it is not, the
  // plain best score field is all there is to go by.
  bool haveEncodedBest = false;
};

// Reads what is valid; fields that cannot be read keep a first run's values.
DecodedPlayerFile DecodePlayerFile(const std::vector<uint8_t>& bytes);

}  // namespace sb
