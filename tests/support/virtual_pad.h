#pragma once
// SDL's virtual joysticks: the same SDL code paths a plugged-in controller
// takes, without the hardware.

#include <SDL2/SDL.h>

#include <string>

#include "game/game.h"
#include "input/joystick.h"
#include "sound/game_sounds.h"
#include "support/actions.h"

namespace sb::test {

// A pad SDL's controller database knows, with every button and axis.
inline int AttachPad(const char* name) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = name;
  return SDL_JoystickAttachVirtualEx(&desc);
}

// A device SDL has no mapping for: read in its driver's order.
inline int AttachStick(const char* name, int axes, int buttons, int hats) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_FLIGHT_STICK;
  desc.naxes = static_cast<Uint16>(axes);
  desc.nbuttons = static_cast<Uint16>(buttons);
  desc.nhats = static_cast<Uint16>(hats);
  desc.name = name;
  return SDL_JoystickAttachVirtualEx(&desc);
}

// The index at which a device with this name is listed, or -1.
inline int IndexOf(const std::string& name) {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    const char* n = SDL_JoystickNameForIndex(i);
    if (n && name == n) return i;
  }
  return -1;
}

// A game as start-up leaves it for a player with a controller: the default
// actions and the game's sounds, joystick control chosen and set up.
inline void PlayWithController(Game& game) {
  UseDefaultActions(game);
  LoadGameSounds(game);
  game.player.controllerMode = 1;
  EnumerateJoysticks(game);
  SetUpJoystick(game);
}

}  // namespace sb::test
