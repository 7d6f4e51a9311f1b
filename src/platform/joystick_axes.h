#pragma once
// Turning a controller's raw state into the values the game reads: each axis
// scaled into its range with a dead zone around the centre and a saturation
// point near each end, hats as angles, buttons as 0x80 while down. Pure code,
// no machine.

#include <array>
#include <cstdint>

#include "platform/host.h"

namespace sb {

// How one axis is reported. Dead zone and saturation are fractions of the
// travel from the centre to each end, in 1/10000: a dead zone of 1000 reports
// the inner tenth of each half as the exact centre, a saturation of 9500
// reports the outer twentieth as the end.
struct AxisProperties {
  int32_t min = 0;
  int32_t max = 10000;
  int32_t deadZone = 0;
  int32_t saturation = 10000;
};

// The properties the game uses: every axis 0..10000; the stick's X and Y with
// a dead zone of 1000 and a saturation of 9500.
std::array<AxisProperties, 8> StickAxisProperties();

// A raw axis value (-32768..32767; -32768 counts as -32767 so that both halves
// are the same length) as the game reads it.
int32_t MapAxis(int32_t raw, const AxisProperties& properties);

// A hat bitmask (1 up, 2 right, 4 down, 8 left) as an angle in hundredths of a
// degree clockwise from up, or -1 when centred or contradictory.
int32_t PovFromHat(uint8_t hat);

// One reading of a controller as the game keeps it.
struct JoystickReading {
  std::array<int32_t, 8> axis{};
  std::array<int32_t, 4> pov{};
  std::array<uint8_t, 32> buttons{};  // 0x80 while down
  bool operator==(const JoystickReading&) const = default;
};

JoystickReading MapJoystickState(const RawJoystickState& raw, const std::array<AxisProperties, 8>& properties);

}  // namespace sb
