#pragma once
// A bot that plays the whole program on the simulated host with the real
// sound tree: it chooses a difficulty in the menus, plays every wave, special
// round and the boss as a skilled player would, and leaves at the main menu.
// It knows where it is from what it hears (the prompts in the event log, the
// streamed intro) and, in play, from what the field sounds like: the ship's
// place, the aliens in the air and on the ground, the saucer and its payload,
// the energy left.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace sb::test {

struct BotOptions {
  uint32_t seed = 1;
  uint8_t difficulty = 1;  // 1 Easy, 2 Medium, 3 Hard
  int32_t untilMs = 120 * 60 * 1000;  // virtual time the whole run may take
  std::filesystem::path programDir;   // the sound tree and the shipped key map
  std::ostream* log = nullptr;        // the event log as it is written
};

struct BotReport {
  bool exited = false;     // the program ended through its exit prompt
  bool completed = false;  // the mothership was destroyed
  bool gameOver = false;   // the ship was destroyed
  std::vector<std::pair<int, int>> waves;  // level and wave, as each wave was announced
  std::vector<std::string> rounds;         // "sheep", "meteor" or "boss", in order
  int tallies = 0;                         // wave and round tallies spoken
  int invalidBeeps = 0;                    // keys pressed with nothing to do, heard as the invalid beep
  int32_t finalScore = 0;
  int16_t lowestEnergy = 0;  // the least energy the ship had left in a wave
  int32_t bestInMemory = 0;  // the personal best the program holds after the game
  int32_t bestOnDisk = 0;    // the personal best in the player file after the game
  size_t liveAtMenuBefore = 0;  // sound buffers alive at the main menu before the game ...
  size_t liveAtMenuAfter = 0;   // ... and after it
  size_t playingAtMenuBefore = 0;
  size_t playingAtMenuAfter = 0;
  int32_t gameMs = 0;  // virtual time from the difficulty chosen to back at the menu
  int32_t endMs = 0;   // virtual time at the program's end
};

BotReport PlayWholeGame(const BotOptions& options);

}  // namespace sb::test
