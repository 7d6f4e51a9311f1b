#include "scoreboard/score_menu.h"

#include "game/game.h"

namespace sb {

// Not written yet: the score board is not offered, and its item only
// announces itself again.
void ScoreMenu(Game&) {}

}  // namespace sb
