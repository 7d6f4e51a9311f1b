#include "player/powerups.h"

#include "game/game.h"

namespace sb {

// Payloads arrive with the saucer; until then nothing lands to be caught.
void ChoosePayloadKind(Game&) {}
uint8_t PickDifferentKind(Game&, uint8_t value, uint8_t, uint8_t) { return value; }
void CatchPayload(Game&) {}

}  // namespace sb
