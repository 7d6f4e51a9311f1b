// The forty waves of a game: which colours come, how many, how fast they
// step and are released, how far they drift, and whether a saucer may cross.

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "game/waves.h"

namespace sb {

namespace {

using enum Colour;

// Count (StepDelay ms / SpawnInterval s / DriftStep).
constexpr ColourRow A(uint8_t count, int16_t stepDelay, int16_t spawnInterval, uint8_t driftStep = 0) {
  return {count, stepDelay, spawnInterval, driftStep};
}

// The aliens of a wave, and its saucer's step delay and chance range (0: no saucer).
constexpr WaveRow W(std::initializer_list<std::pair<Colour, ColourRow>> aliens, int16_t saucerStepDelay = 0,
                    int16_t saucerChanceRange = 0) {
  WaveRow row;
  for (const auto& [colour, group] : aliens) row.colours[static_cast<size_t>(colour)] = group;
  row.saucer = saucerStepDelay != 0;
  row.SaucerStepDelay = saucerStepDelay;
  row.SaucerChanceRange = saucerChanceRange;
  return row;
}

constexpr std::array<WaveRow, 40> kLevelWaveTable = {
    // Level 1
    W({{Green, A(15, 10, 6)}}),
    W({{Green, A(20, 10, 4)}}),
    W({{Green, A(15, 15, 3)}}, 40, 20),
    W({{Green, A(20, 10, 2)}}),
    W({{Green, A(25, 10, 3)}}, 50, 20),
    // Level 2
    W({{Red, A(15, 15, 5)}}, 50, 30),
    W({{Red, A(15, 15, 5)}}, 40, 40),
    W({{Green, A(21, 10, 6)}, {Red, A(12, 15, 8)}}),
    W({{Red, A(20, 10, 4)}}, 60, 40),
    W({{Green, A(16, 5, 4)}, {Red, A(12, 10, 8)}}),
    // Level 3
    W({{Blue, A(15, 15, 5, 20)}}, 40, 40),
    W({{Blue, A(15, 10, 5, 25)}}, 50, 40),
    W({{Green, A(25, 5, 4)}, {Blue, A(13, 10, 8, 30)}}),
    W({{Red, A(13, 10, 7)}, {Blue, A(15, 15, 6, 30)}}, 30, 20),
    W({{Blue, A(15, 10, 4, 40)}}),
    // Level 4
    W({{Violet, A(15, 15, 5, 25)}}, 30, 30),
    W({{Violet, A(25, 15, 8, 35)}}, 40, 30),
    W({{Green, A(25, 15, 6)}, {Violet, A(19, 15, 8, 35)}}),
    W({{Red, A(20, 10, 7)}, {Violet, A(19, 15, 8, 30)}}, 50, 30),
    W({{Violet, A(19, 5, 5, 30)}}),
    // Level 5
    W({{Yellow, A(10, 20, 4, 20)}}, 20, 30),
    W({{Blue, A(15, 10, 4, 25)}, {Yellow, A(10, 15, 5, 20)}}),
    W({{Red, A(10, 15, 8)}, {Yellow, A(20, 10, 4, 20)}}, 50, 40),
    W({{Green, A(15, 10, 6)}, {Yellow, A(20, 10, 4, 30)}}),
    W({{Yellow, A(20, 5, 4, 30)}}),
    // Level 6
    W({{Cyan, A(10, 10, 6)}}, 50, 20),
    W({{Cyan, A(20, 10, 3)}}, 50, 40),
    W({{Yellow, A(16, 10, 6, 15)}, {Cyan, A(20, 10, 4)}}),
    W({{Cyan, A(30, 5, 4)}}, 50, 35),
    W({{Violet, A(16, 15, 8, 35)}, {Yellow, A(20, 15, 6, 30)}, {Cyan, A(20, 15, 6)}}),
    // Level 7
    W({{Orange, A(10, 15, 9, 60)}}, 20, 30),
    W({{Orange, A(15, 10, 6, 80)}}, 20, 40),
    W({{Green, A(15, 10, 6)}, {Orange, A(20, 15, 10, 60)}}, 10, 50),
    W({{Green, A(15, 5, 6)}, {Orange, A(20, 15, 8, 60)}}),
    W({{Red, A(15, 10, 6)}, {Orange, A(20, 10, 10, 60)}}, 30, 50),
    // Level 8
    W({{Silver, A(15, 20, 5)}}, 20, 30),
    W({{Green, A(20, 10, 4)}, {Silver, A(15, 20, 5)}}, 20, 30),
    W({{Blue, A(10, 15, 8, 20)}, {Silver, A(15, 15, 5)}}, 20, 30),
    W({{Silver, A(15, 10, 4)}}, 30, 10),
    W({{Silver, A(25, 5, 8)}}, 30, 10),
};

}  // namespace

const WaveRow& LevelWaveRow(uint8_t level, uint8_t wave) {
  const int l = std::clamp<int>(level, 1, 8);
  const int w = std::clamp<int>(wave, 1, 5);
  return kLevelWaveTable[static_cast<size_t>((l - 1) * 5 + (w - 1))];
}

}  // namespace sb
