#pragma once
// The program's entry and exit.

#include <string>

namespace sb {

class Host;
struct Game;

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 5;

// "Starbarrow V2.1.5"
std::string MainCaption();

// The whole program on a host: refuses a second instance, starts up, runs the
// menus and ends through the exit prompt. Returns the process's exit code.
int RunProgram(Host& host);

// Opens the sound device, loads the player's files and every start-up sound,
// sets up the controller, plays the title and runs the main menu.
void Initialize(Game& game);

// Speaks the exit prompt, stops every sound and ends the process.
[[noreturn]] void ExitGame(Game& game);

// Stops every running game sound; called at the end of every game too.
void StopGameSounds(Game& game);

// An error no routine handled: one line on stderr, one invalid beep.
void HandleRunTimeError(Game& game, const std::exception& error);

}  // namespace sb
