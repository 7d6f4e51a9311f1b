#pragma once
// What a game leaves sounding when it ends, however it ends: the game loop
// calls it when a game is over or left, the exit prompt before the program ends.

namespace sb {

struct Game;

// Stops every running game sound and marks the game inactive.
void StopGameSounds(Game& game);

}  // namespace sb
