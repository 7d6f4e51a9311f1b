#include "aliens/aliens.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void UpdateAliens(Game&) {}
bool AnyAlienActive(const Game&) { return false; }
void FreeAlienSounds(Game&) {}

}  // namespace sb
