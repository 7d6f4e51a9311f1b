#include "game/saved_game.h"

#include "game/game.h"

namespace sb {

// Saving is not offered yet: Q does nothing during play.
void SaveGame(Game&) {}

}  // namespace sb
