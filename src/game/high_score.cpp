#include "game/high_score.h"

#include "game/game.h"

namespace sb {

// Not written yet: the routines below do nothing.
void StoreHighScoreRecord(Game&) {}
void SpeakHighScore(Game&) {}

}  // namespace sb
