#include "game/game_loop.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void GameLoop(Game&) {}

}  // namespace sb
