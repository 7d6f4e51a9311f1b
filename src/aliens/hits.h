#pragma once
// Laser hit tests, explosions and kill scoring.

#include <cstdint>

#include "aliens/alien_state.h"

namespace sb {

struct Game;

enum ShotKind : uint8_t { kShotUp = 1, kShotLeft = 2, kShotRight = 3 };

void HitAliens(Game& game, Colour colour, ShotKind shot);
void HitSaucer(Game& game);

}  // namespace sb
