#include "rounds/special_rounds.h"

#include "game/game.h"

namespace sb {

// The special rounds are not playable yet: each returns at once and the game
// goes on with the next level.
void SheepDropRound(Game&) {}
void MeteorShowerRound(Game&) {}
void BossRound(Game&) {}

}  // namespace sb
