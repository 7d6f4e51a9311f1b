#pragma once
// The online score board's menu.

namespace sb {

struct Game;

// Posts the personal best and fetches the board's code; returns on Escape.
void ScoreMenu(Game& game);

}  // namespace sb
