#pragma once
// The one saved game: Q saves and ends the game, the main menu loads it. A
// save keeps the standing and the stocks, not the field: a loaded game
// starts the saved wave from its beginning.

namespace sb {

struct Game;

// Stores the standing in the player file and ends the game.
void SaveGame(Game& game);
// A fresh game state with the saved standing and stocks. A field that does
// not decode to a value of its kind restores as 0 (level, wave and
// difficulty as 1).
void RestoreSavedGame(Game& game);
// The main menu's load: restores the save, uses it up and plays the saved
// wave. Without a save: the invalid beep, and false.
bool LoadSavedGame(Game& game);

}  // namespace sb
