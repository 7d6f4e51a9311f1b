#pragma once
// The weapons' timers, latches and missiles in flight (the stocks are game
// state).

#include <array>
#include <cstdint>

#include "aliens/alien_state.h"
#include "platform/stopwatch.h"

namespace sb {

struct MissileSlot {
  int16_t TargetX = 0;
  int16_t TargetY = 0;
  Colour TargetColour = Colour::Blue;
  uint8_t TargetIndex = 0;
  bool Active = false;
  Stopwatch LaunchTick;
  int32_t FlightTime = 0;
  // Its explosion sound is GameSounds::missileExplosion of the same index.

  bool operator==(const MissileSlot&) const = default;
};

constexpr int kMissileSlots = 10;

struct WeaponsState {
  Stopwatch LastShotTick;
  bool LaserLatch = false;
  bool LeftLaserLatch = false;
  bool RightLaserLatch = false;
  Stopwatch RapidTick;  // the last rapid-fire drain
  std::array<MissileSlot, kMissileSlots> missiles;

  bool operator==(const WeaponsState&) const = default;
};

}  // namespace sb
