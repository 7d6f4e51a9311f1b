#pragma once
// The aliens of a wave: release, descent and the per-colour step, one record
// per colour per pass.

#include "aliens/alien_state.h"

namespace sb {

struct Game;

void UpdateAliens(Game& game);
// Any alien of the six basic colours (not orange, not silver) is active.
bool AnyAlienActive(const Game& game);
// Releases every alien's sounds (wave end, game over, shutdown).
void FreeAlienSounds(Game& game);

}  // namespace sb
