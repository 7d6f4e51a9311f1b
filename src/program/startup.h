#pragma once
// The program's entry and exit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rounds/rounds.h"

namespace sb {

class Host;
struct Game;

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 5;

// "Starbarrow V2.1.5"
std::string MainCaption();

// A game started straight away instead of through the menus.
struct DirectGame {
  DirectGame(uint8_t level = 1, uint8_t wave = 1, uint8_t difficulty = 1, std::optional<SpecialRound> round = {})
      : level(level), wave(wave), difficulty(difficulty), round(round) {}
  uint8_t level = 1;       // 1..8
  uint8_t wave = 1;        // 1..5
  uint8_t difficulty = 1;  // 1 Easy, 2 Medium, 3 Hard, 4 Insane
  std::optional<SpecialRound> round;  // start with this round instead of a wave
};
// "LEVEL:WAVE:DIFFICULTY", for example "1:1:1"; nothing when it is not one.
std::optional<DirectGame> ParseDirectGame(std::string_view text);
// "sheep", "meteor" or "boss", with ":DIFFICULTY" (1-4) or without it (1):
// for example "boss:2"; nothing when it is not one.
std::optional<DirectGame> ParseDirectRound(std::string_view text);

// The whole program on a host: refuses a second instance, starts up, runs the
// menus (or the direct game) and ends through the exit prompt. Returns the
// process's exit code.
int RunProgram(Host& host, const std::optional<DirectGame>& direct = std::nullopt);

// Opens the sound device, loads the player's files and every start-up sound,
// sets up the controller and plays the title.
void StartUp(Game& game);
// StartUp, then the main menu, which ends only with the program.
void Initialize(Game& game);
// StartUp, then the one game asked for (or the round it starts with);
// afterwards the main menu, as after any game.
void PlayDirectGame(Game& game, const DirectGame& direct);

// Speaks the exit prompt, stops every sound and ends the process.
[[noreturn]] void ExitGame(Game& game);


// An error no routine handled: one line reported to the host, one invalid beep.
void HandleRunTimeError(Game& game, const std::exception& error);

}  // namespace sb
