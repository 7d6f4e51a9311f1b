#pragma once
// Landing, and the landed alien's crawl toward the ship and its energy drain.

#include <cstdint>

#include "aliens/alien_state.h"

namespace sb {

struct Game;

constexpr int16_t kLandingHeight = 6840;  // an alien lands when it is lower than this

// The alien touches down: it is heard only through its landing sound from now on.
void LandAlien(Game& game, AlienRecord& alien);
// On every pass a landed, active record is served: crawl and drain.
void GroundStep(Game& game, AlienRecord& alien, int32_t now);

}  // namespace sb
