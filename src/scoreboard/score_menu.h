#pragma once
// The online score board's menu: hear, post or reset the personal best, and
// copy the board's code to the clipboard.

#include <cstdint>
#include <string>

namespace sb {

struct Game;

// Runs until Escape or its exit item; N opens the screen that types the
// name scores are posted under. An error inside it is shown in a
// message box and ends the menu; the main menu goes on.
void ScoreMenu(Game& game);
// The bleep and the prompt of item 0..4, under the ducked menu music.
void SpeakScoreMenu(Game& game, uint8_t item);

// The text of the message box for an error inside one of the menu's routines.
std::string ScoreMenuErrorText(const char* procedure, int number, const std::string& description);

}  // namespace sb
