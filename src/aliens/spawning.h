#pragma once
// The release of a colour's aliens, one by one.

#include "aliens/alien_state.h"

namespace sb {

struct Game;

// Once per pass while the colour is present: the start gate, the choice of
// the next delay (the hurry rule) and, when it has passed, one release.
void SpawnAliens(Game& game, Colour colour);

}  // namespace sb
