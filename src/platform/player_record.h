#pragma once
// What the player file remembers between runs.

#include <array>
#include <cstdint>
#include <string>

namespace sb {

constexpr int kSavedGameFields = 11;

struct PlayerRecord {
  uint8_t introHeard = 0;                   // 0 until the first new game played the intro
  std::array<int32_t, 7> ambienceVolumes{};  // hundredths of a dB, tracks 0..6 (0 unused)
  std::array<int32_t, 7> musicVolumes{};
  uint8_t backgroundMode = 0;  // 0 music, 1 ambience, 2 off
  int32_t personalBest = 0;    // rewritten from encodedBest on load
  bool newBest = false;        // a game passed the best; the main menu stores it
  std::string bestDifficulty;  // "Easy", "Medium", "Hard" or "Insane"
  uint8_t controllerMode = 0;  // 0 keyboard, 1 joystick
  uint8_t preferredJoystick = 0;  // 1-based; 0 is taken as 1
  uint8_t joystickMode = 0;       // 0 digital, 1 analog
  bool savedGame = false;
  // Level, wave, score, energy, missiles fired, nukes, vapor charges,
  // rapid-fire time, difficulty, turbo time, shields: each ToBase36(EncodeScore(value)).
  std::array<std::string, kSavedGameFields> saved{};
  std::string encodedBest;  // decimal text of EncodeScore(personal best); empty for 0
};

}  // namespace sb
