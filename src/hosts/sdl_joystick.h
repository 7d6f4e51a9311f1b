#pragma once
// Game controllers on SDL2. Pads that SDL's controller database knows (the
// common Xbox and PlayStation layouts among them) are read through the
// game-controller API in one fixed layout; any other device is read as a
// plain joystick in its driver's order. Plugging and unplugging is noticed
// from SDL's device events.

#include <SDL2/SDL.h>

#include <filesystem>
#include <vector>

#include "hosts/joystick_notices.h"
#include "platform/host.h"

namespace sb {

class SdlJoysticks {
 public:
  SdlJoysticks() = default;
  ~SdlJoysticks();
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;

  // Starts SDL's controller support on first use; extra controller mappings
  // are read from "gamecontrollerdb.txt" in any of `mappingDirs`.
  bool Start(const std::vector<std::filesystem::path>& mappingDirs);
  bool Started() const { return started_; }

  int Count();
  JoystickInfo Info(int index);
  bool Open(int index);
  JoystickRead Read(RawJoystickState& state);

  // Notes what an SDL event means for the controllers.
  void Handle(const SDL_Event& event);
  JoystickNotices& Notices() { return notices_; }

  // Closes everything; SDL's subsystem is left to SDL_Quit.
  void Close();

 private:
  bool started_ = false;
  SDL_GameController* controller_ = nullptr;  // when the open device is a known pad
  SDL_Joystick* joystick_ = nullptr;          // the open device, either way
  SDL_JoystickID instance_ = -1;
  JoystickNotices notices_;
};

}  // namespace sb
