#pragma once

namespace sb {

struct Game;

// Silences every live alien and an active saucer while the game is paused.
void MuteAllAliens(Game& game);
// Gives an active saucer its voice back after a pause.
void RestoreSaucerAfterPause(Game& game);

}  // namespace sb
