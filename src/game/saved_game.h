#pragma once
// The one saved game: Q saves and ends the game, the main menu loads it.

namespace sb {

struct Game;

// Stores the standing in the player file and ends the game.
void SaveGame(Game& game);

}  // namespace sb
