#include "platform/joystick_axes.h"

#include <algorithm>

namespace sb {

namespace {

constexpr int64_t kHalfTravel = 32767;  // raw distance from the centre to either end
constexpr int64_t kWhole = 10000;       // dead zone and saturation are in 1/10000 of that

}  // namespace

std::array<AxisProperties, 8> StickAxisProperties() {
  std::array<AxisProperties, 8> properties{};
  for (int axis : {0, 1}) {
    properties[axis].deadZone = 1000;
    properties[axis].saturation = 9500;
  }
  return properties;
}

int32_t MapAxis(int32_t raw, const AxisProperties& properties) {
  const int64_t min = properties.min;
  const int64_t max = std::max<int64_t>(properties.max, min);
  const int64_t deadZone = std::clamp<int64_t>(properties.deadZone, 0, kWhole);
  const int64_t saturation = std::clamp<int64_t>(properties.saturation, deadZone, kWhole);
  const int64_t centre = min + (max - min) / 2;
  const int64_t d = std::clamp<int64_t>(raw, -kHalfTravel, kHalfTravel);
  const int64_t a = d < 0 ? -d : d;
  // Compared in 1/10000 of the raw travel so that no rounding moves a boundary.
  if (a * kWhole <= kHalfTravel * deadZone) return static_cast<int32_t>(centre);
  const int64_t reach = d < 0 ? centre - min : max - centre;
  int64_t offset = reach;
  if (a * kWhole < kHalfTravel * saturation) {
    const int64_t numerator = (a * kWhole - kHalfTravel * deadZone) * reach;
    const int64_t denominator = kHalfTravel * (saturation - deadZone);
    offset = (2 * numerator + denominator) / (2 * denominator);  // to the nearest, halves away from the centre
  }
  return static_cast<int32_t>(d < 0 ? centre - offset : centre + offset);
}

int32_t PovFromHat(uint8_t hat) {
  switch (hat & 0x0F) {
    case 0x01: return 0;
    case 0x03: return 4500;
    case 0x02: return 9000;
    case 0x06: return 13500;
    case 0x04: return 18000;
    case 0x0C: return 22500;
    case 0x08: return 27000;
    case 0x09: return 31500;
    default: return -1;
  }
}

JoystickReading MapJoystickState(const RawJoystickState& raw, const std::array<AxisProperties, 8>& properties) {
  JoystickReading reading;
  for (size_t i = 0; i < reading.axis.size(); ++i) reading.axis[i] = MapAxis(raw.axes[i], properties[i]);
  for (size_t i = 0; i < reading.pov.size(); ++i) reading.pov[i] = PovFromHat(raw.hats[i]);
  for (size_t i = 0; i < reading.buttons.size(); ++i) reading.buttons[i] = raw.buttons[i] ? 0x80 : 0x00;
  return reading;
}

}  // namespace sb
