#include "game/waves.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
const WaveRow& LevelWaveRow(uint8_t, uint8_t) {
  static const WaveRow empty;
  return empty;
}
void StartWave(Game&) {}
void PlayGame(Game&) {}
void StartGame(Game&, uint8_t, uint8_t) {}
void CheckWaveCleared(Game&) {}
void CompleteWave(Game&) {}
void StartBonusRound(Game&) {}

}  // namespace sb
