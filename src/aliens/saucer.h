#pragma once
// The saucer's appearance and crossing, and its payload's dive and landing.

namespace sb {

struct Game;

void UpdateSaucer(Game& game);
void UpdatePayloadDive(Game& game);
// Everything back to "no saucer, no payload" (wave end, game over).
void ResetSaucerState(Game& game);

}  // namespace sb
