#pragma once
// What every menu shares: one pass polls the keyboard and lets window
// messages run; Up, Down and Enter count while down (the next prompt waits
// for their release, so a held key moves one step), Escape and the hot keys
// count once per press (TakeKey); items wrap around at both ends.

#include <cstdint>

namespace sb {

struct Game;

// One pass of a menu loop: input polled, modifier flags read, messages run.
void MenuPass(Game& game);

// A menu's opening prompt over its music, lowered while the prompt plays.
void OpeningPrompt(Game& game, const char* prompt);

// The previous and the next item of first..last, wrapping around.
uint8_t PreviousItem(uint8_t item, uint8_t first, uint8_t last);
uint8_t NextItem(uint8_t item, uint8_t first, uint8_t last);

}  // namespace sb
