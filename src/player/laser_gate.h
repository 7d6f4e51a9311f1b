#pragma once
// The laser in every scene: one shot per press, at most one every 100 ms, the
// side lasers toward the directions held, and the latches that make a press
// one shot. What a shot hits is the scene's.

#include <cstdint>
#include <cstdlib>

#include "game/game.h"
#include "platform/input_state.h"

namespace sb {

constexpr int32_t kLaserInterval = 100;  // ms between two shots
// The laser and the tractor beam reach this far either side of the ship; an
// alien this near is over the ship.
constexpr int32_t kShipReach = 360;

// Something at `x` is within `reach` of the ship, either side. Asked of every
// alien on every pass: inline.
inline bool WithinReach(const Game& game, int32_t x, int32_t reach = kShipReach) {
  return std::abs(game.state.ShipX - x) <= reach;
}

// What a scene's shots hit.
struct LaserTargets {
  void (*straight)(Game&) = nullptr;             // a shot straight up, after the laser sound
  void (*side)(Game&, Action toward) = nullptr;  // a side laser toward kMoveLeft or kMoveRight, after
                                                 // its sound; null: the side-laser action shoots straight
};

// A pass with the laser or side-laser action held, while the scene is in
// play. Straight: one shot per press, a press too soon after the last shot is
// used up unfired; true for every new press. Sideways (the side-laser action
// or Alt): each direction held fires once per press, at most every 100 ms.
bool FireLaser(Game& game, const LaserTargets& targets);
// Right after a volley: without rapid fire the laser latches stay set for the
// rest of the pass; with it they are let go (so the next volley follows
// 100 ms later) and the rapid-fire time runs down.
void HoldLaserLatches(Game& game);
// Late in every pass: the latches of lasers no longer held are let go.
void ReleaseLaserLatches(Game& game);

}  // namespace sb
