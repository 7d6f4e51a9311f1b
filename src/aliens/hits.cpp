#include "aliens/hits.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void HitAliens(Game&, Colour, ShotKind) {}
void HitSaucer(Game&) {}

}  // namespace sb
