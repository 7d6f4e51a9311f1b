#pragma once
// What each colour does beyond the common descent: drift and turns, the
// shield, warping, the yellow and orange lasers and the silver bomb run. Each
// routine acts on the one record the colour's step serves on this pass.

#include <cstdint>

#include "aliens/alien_state.h"

namespace sb {

struct Game;

// On every pass the record is served, before the step's timing is tested.
void ActOnServe(Game& game, Colour colour, AlienGroup& group, AlienRecord& alien, int32_t now);
// In a due step of an active alien, flying or landed, before it descends.
void ActBeforeDescent(Game& game, Colour colour, AlienGroup& group, AlienRecord& alien, int32_t now);
// In a due step of a flying alien, right after its voice has been placed.
void ActAfterDescent(Game& game, Colour colour, AlienGroup& group, AlienRecord& alien, int32_t now);
// On every pass the record is served, after the ground step, active or not.
void ActAfterGround(Game& game, Colour colour, AlienGroup& group, AlienRecord& alien, int32_t now);

}  // namespace sb
