#pragma once
// Landing, and the landed alien's crawl toward the ship and its energy drain.

#include <cstdint>

#include "aliens/alien_state.h"

namespace sb {

struct Game;

constexpr int16_t kLandingHeight = 6840;  // an alien lands when it is lower than this

// The alien touches down: it is heard only through its landing sound from now on.
void LandAlien(Game& game, AlienRecord& alien);
// How near a landed alien is to the ship, in per cent of the larger of the
// two positions: the same distance counts as closer toward the right wall.
uint8_t Closeness(int16_t x, int16_t shipX);
// On every pass a landed, active record is served: crawl and drain.
void GroundStep(Game& game, AlienRecord& alien, int32_t now);

}  // namespace sb
