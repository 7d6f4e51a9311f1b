#pragma once
// The personal best's record in the settings store, and its read-out.

namespace sb {

struct Game;

// Writes "HSLevel" and "HS" (base 36 of the encoded best).
void StoreHighScoreRecord(Game& game);
// "Your high score is", then the best.
void SpeakHighScore(Game& game);

}  // namespace sb
