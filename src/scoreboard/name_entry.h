#pragma once
// The screen on which the player types the name scores are posted under,
// each character read back as it is typed.

#include <string>

namespace sb {

struct Game;

// Reads the name in use back, then takes a typed name: letters (Shift for
// capitals), digits, space, '-', '.' and '_' (Shift and '-'). Backspace
// takes back a character; Enter keeps the name (nothing typed: the suggested
// name, which then counts as chosen) and reads it back, and gives true;
// Escape leaves the name as it was and gives false.
bool TypePlayerName(Game& game);

// "Your name on the board is", then the name a character at a time.
void SpeakPlayerName(Game& game, const std::string& name);

}  // namespace sb
