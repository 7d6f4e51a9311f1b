#pragma once
// What changed about the game controllers since the program last heard, and
// who hears it. A host notes changes as the machine reports them and hands
// them over from Yield, the device list first.

#include <functional>

#include "platform/host.h"

namespace sb {

class JoystickNotices {
 public:
  void SetListener(std::function<void(JoystickChange)> listener) { listener_ = std::move(listener); }

  void NoteDevices() { devices_ = true; }
  void NoteState() { state_ = true; }
  // A controller just opened starts with nothing to tell.
  void DropState() { state_ = false; }

  // The notices gathered since the last call, each taken once.
  bool TakeDevices();
  bool TakeState();

  // Calls the listener with what was gathered, and forgets it.
  void Deliver();

 private:
  std::function<void(JoystickChange)> listener_;
  bool devices_ = false;
  bool state_ = false;
};

}  // namespace sb
