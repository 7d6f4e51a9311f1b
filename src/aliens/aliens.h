#pragma once
// The aliens of a wave: release, descent and the per-colour step, one record
// per colour per pass.

#include "aliens/alien_state.h"

namespace sb {

struct Game;
struct ColourRow;

// Releases and steps every present colour, green first (does nothing between waves).
void UpdateAliens(Game& game);
// The wave set-up of one colour, the one every wave's set-up runs: the group
// starts fresh and, when the wave uses the colour, takes its count and timing
// and fresh records 0..Count (record Count is never released), the last
// wave's records going with their sounds. A colour the wave does not use
// keeps its records. The start gate and spawn clock carry over, and the
// release timers and the hurry flag (not the group's) are left as they are.
void SetUpColourGroup(Game& game, Colour colour, const ColourRow& row);
// Any alien of the six basic colours (not orange, not silver) is active.
bool AnyAlienActive(const Game& game);
// Releases every alien's sounds (wave end, game over, shutdown).
void FreeAlienSounds(Game& game);

}  // namespace sb
