#pragma once
// One wave of play: passes of polling, aliens, controls, ship, missiles,
// saucer and timers until the wave ends or the game is left.

namespace sb {

struct Game;

// Runs the current wave. Returns with GameActive false: QuitToMenu tells
// whether the game is over (every game sound stopped) or the next wave is due.
void GameLoop(Game& game);

}  // namespace sb
