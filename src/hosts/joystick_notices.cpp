#include "hosts/joystick_notices.h"

#include <utility>

namespace sb {

bool JoystickNotices::TakeDevices() { return std::exchange(devices_, false); }

bool JoystickNotices::TakeState() { return std::exchange(state_, false); }

void JoystickNotices::Deliver() {
  const bool devices = TakeDevices();
  const bool state = TakeState();
  if (!listener_) return;
  const auto listener = listener_;  // the listener may replace itself
  if (devices) listener(JoystickChange::Devices);
  if (state) listener(JoystickChange::State);
}

}  // namespace sb
