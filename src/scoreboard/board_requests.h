#pragma once
// The game's two requests to the score board. Each waits for its reply while
// letting the machine's events run, so a looping sound keeps sounding and
// controllers keep reporting; the host gives up on a board that does not
// answer (10 s to connect, 30 s in all).

#include <cstdint>
#include <string>

namespace sb {

struct Game;

// The text a form value is sent as: everything but letters, digits and
// "-._~" percent-encoded, so "&", "=", "+" and spaces in a name arrive intact.
std::string FormValue(const std::string& text);

// Posts a score under a name. True only when the board answered 200 with
// exactly "success".
bool SubmitHighScore(Game& game, const std::string& name, int32_t score);

// The board's code: the address of its page, when the board answered 200
// with one http or https address (see BoardAddress); empty for anything else,
// and when the board could not be reached.
std::string RequestBoardCode(Game& game);

// Clears the clipboard and puts the board's code there as text. True when
// the clipboard then holds text (false: the board gave no address).
bool CopyBoardCode(Game& game);

}  // namespace sb
