#pragma once
// Payloads: the kind a landed payload turns out to be, the catch and its effect.

#include <cstdint>

namespace sb {

struct Game;

// Chooses PayloadKind as the payload lands.
void ChoosePayloadKind(Game& game);
// A draw from low..high that differs from value.
uint8_t PickDifferentKind(Game& game, uint8_t value, uint8_t low, uint8_t high);
// The ship under a landed payload catches it (the last step of every move).
void CatchPayload(Game& game);

}  // namespace sb
