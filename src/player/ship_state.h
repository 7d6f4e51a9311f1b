#pragma once
// What the ship's movement keeps between passes (its position and stocks are
// game state).

#include <cstdint>

#include "platform/stopwatch.h"

namespace sb {

struct ShipState {
  bool ThrustLeft = false;
  bool ThrustRight = false;
  Stopwatch MoveTick;   // the last movement interval
  Stopwatch TurboTick;  // the last turbo drain

  bool operator==(const ShipState&) const = default;
};

}  // namespace sb
