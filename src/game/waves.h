#pragma once
// Levels and waves: the wave table, the set-up and announcement of a wave,
// the cleared test and the end-of-wave tally, and the game's chain of waves.

#include <array>
#include <cstdint>

#include "aliens/alien_state.h"

namespace sb {

struct Game;

struct ColourRow {
  uint8_t Count = 0;  // 0: absent
  int16_t StepDelay = 0;
  int16_t SpawnInterval = 0;
  uint8_t DriftStep = 0;
};

struct WaveRow {
  std::array<ColourRow, kColourCount> colours{};  // indexed by Colour
  bool saucer = false;
  int16_t SaucerStepDelay = 0;
  int16_t SaucerChanceRange = 0;
};

// Level 1..8, wave 1..5 (anything outside is held to the nearest row).
const WaveRow& LevelWaveRow(uint8_t level, uint8_t wave);

// Sets up the wave of Level and Wave and announces it (the loop runs after).
void StartWave(Game& game);
// Runs the current wave and every wave after it until the game is left
// (QuitToMenu): the chain of waves every game starter hands over to.
void PlayGame(Game& game);
// The common starter: a fresh game at this level and wave, with the
// difficulty and Insane choice already in the game state, played to its end.
// A game started from the level select never reaches the boss round.
void StartGame(Game& game, uint8_t level, uint8_t wave, bool levelSelected = false);

// After every kill: every alien of the wave destroyed marks the wave cleared.
// The game loop completes it once the pass that made the kill is over, so
// nothing of the wave's end runs inside the weapon that made it.
void CheckWaveCleared(Game& game);
// The wave's end: its sounds stop, the tally is spoken and the game goes on
// to the next wave, level, special round or the boss.
void CompleteWave(Game& game);
// After a level of five perfect waves: the sheep drop or the meteor shower.
void StartBonusRound(Game& game);

}  // namespace sb
