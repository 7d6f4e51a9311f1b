#include "rounds/special_rounds.h"

#include "game/game.h"

namespace sb {

// The boss round is not playable yet: it returns at once.
void BossRound(Game&) {}

}  // namespace sb
