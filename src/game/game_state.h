#pragma once
// The standing of the game in progress and the values it starts from: the
// variables every game routine reads and writes. A new game starts from a
// fresh value (ResetGameState says what carries over). The personal best
// itself is part of the player record (HighScore is PlayerRecord::personalBest,
// HighScoreBeaten is PlayerRecord::newBest, HighScoreLevelName is
// PlayerRecord::bestDifficulty).

#include <cstdint>

namespace sb {

constexpr int16_t kShipStartX = 5000;
constexpr int16_t kShipY = 6850;

// What one wave counts for its tally and its multi-kill window. Every wave
// starts from a fresh value: nothing of the last wave's count is heard in the
// next one's tally.
struct WaveState {
  bool AlienLandedThisWave = false;
  uint8_t NoLandingKills = 0;  // laser kills before the first landing, once per colour per volley
  int16_t SureShots = 0;
  int16_t MultiKills = 0;
  bool MultiKillOpen = false;
  int16_t MultiKillCount = 0;
  int32_t MultiKillStart = 0;
  bool WaveCleared = false;  // the last alien is down: the game loop ends the wave

  bool operator==(const WaveState&) const = default;
};

struct GameState {
  bool GameActive = false;  // a wave is being played
  bool QuitToMenu = false;  // game over or abandoned: unwind to the menu
  bool GameOver = false;    // placement goes flat while the game-over speech runs
  int32_t Score = 0;
  int16_t Energy = 100;      // the Energy power-up raises it to at most 150
  uint8_t Difficulty = 1;    // 1 Easy, 2 Medium, 3 Hard (and Insane)
  bool InsaneMode = false;   // Insane chosen; Difficulty is then 3
  uint8_t Level = 0;         // 1..8
  uint8_t Wave = 0;          // 1..5
  bool LevelSelected = false;  // started from the level-select menu: never reaches the boss
  int16_t ShipX = kShipStartX;
  int16_t ShipY = kShipY;

  WaveState wave;  // fresh at every wave's start
  uint8_t PerfectWaves = 0;  // waves of this level with no landing

  // Loop flags.
  bool SideLaserHold = false;  // side laser held with a direction: the ship stands
  bool FieldEmpty = false;     // no alien of the six basic colours is active; carries into the next wave

  // Stocks and their in-use flags.
  uint8_t MissilesSpent = 0;  // missiles fired, at most 10
  bool ShieldActive = false;
  uint8_t Shields = 0;
  bool HasNukes = false;
  uint8_t Nukes = 0;
  bool NukePending = false;
  uint8_t Vapors = 0;  // kept from the previous game of this run
  bool VaporPending = false;
  bool RapidActive = false;
  int32_t RapidTime = 0;
  bool TurboAvailable = false;  // a turbo stock is held; super works from the joystick only then
  int32_t TurboTime = 0;
  bool TurboEngaged = false;
  int16_t SpeedBonus = 0;  // 0, or 10 while turbo is engaged
  bool EdgeBumped = false;
  uint8_t LastHitSide = 0;  // the wall-crash sound played last

  bool operator==(const GameState&) const = default;
};

// A byte stock that never wraps: adding past 255 stays at 255.
inline uint8_t SaturatingAdd(uint8_t stock, int amount) {
  const int v = stock + amount;
  return static_cast<uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
}

}  // namespace sb
