#include "aliens/alien_sounds.h"

#include "game/game.h"

namespace sb {

// No alien or saucer exists yet in this build of the game.
void MuteAllAliens(Game&) {}
void RestoreSaucerAfterPause(Game&) {}

}  // namespace sb
