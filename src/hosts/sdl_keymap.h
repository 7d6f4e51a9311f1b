#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>

namespace sb {

// The DirectInput key code of an SDL scancode; 0 for keys without one.
uint8_t DikFromScancode(SDL_Scancode scancode);

}  // namespace sb
