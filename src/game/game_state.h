#pragma once
// The standing of the game in progress and the values it starts from.

#include <cstdint>

namespace sb {

constexpr int16_t kShipStartX = 5000;
constexpr int16_t kShipY = 6850;

struct GameState {
  bool GameActive = false;  // a wave is being played
  bool QuitToMenu = false;
  bool GameOver = false;    // placement goes flat while the game-over speech runs
  int32_t Score = 0;
  int16_t Energy = 100;
  uint8_t Difficulty = 1;
  bool InsaneMode = false;
  uint8_t Level = 0;
  uint8_t Wave = 0;
  int16_t ShipX = kShipStartX;
  int16_t ShipY = kShipY;
  uint8_t MissilesSpent = 0;  // missiles fired, at most 10
  uint8_t Nukes = 0;
  uint8_t Vapors = 0;
  uint8_t Shields = 0;
  bool TurboAvailable = false;  // a turbo stock is held; super works from the joystick only then
};

}  // namespace sb
