#pragma once
// What every menu does besides walking its items (menus/menu_walk.h): one
// pass polls the keyboard and lets window messages run, and an opening prompt
// is heard over the lowered menu music.

namespace sb {

struct Game;

// One pass of a menu loop: input polled, modifier flags read, the voice key
// heard, messages run.
void MenuPass(Game& game);

// A menu's opening prompt over its music, lowered while the prompt plays.
void OpeningPrompt(Game& game, const char* prompt);

}  // namespace sb
