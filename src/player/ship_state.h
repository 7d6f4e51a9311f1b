#pragma once
// What the ship's movement keeps between passes (its position and stocks are
// game state).

#include <cstdint>

namespace sb {

struct ShipState {
  bool ThrustLeft = false;
  bool ThrustRight = false;
  int32_t MoveTick = 0;   // the last movement interval
  int32_t TurboTick = 0;  // the last turbo drain

  bool operator==(const ShipState&) const = default;
};

}  // namespace sb
