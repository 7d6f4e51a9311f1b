#include "aliens/behaviours.h"

#include "game/game.h"

namespace sb {

// Not written yet: every colour only descends.
void ActOnServe(Game&, Colour, AlienGroup&, AlienRecord&, int32_t) {}
void ActBeforeDescent(Game&, Colour, AlienGroup&, AlienRecord&, int32_t) {}
void ActAfterDescent(Game&, Colour, AlienGroup&, AlienRecord&, int32_t) {}
void ActAfterGround(Game&, Colour, AlienGroup&, AlienRecord&, int32_t) {}

}  // namespace sb
