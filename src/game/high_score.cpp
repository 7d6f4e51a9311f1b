#include "game/high_score.h"

#include "game/game.h"
#include "game/settings.h"
#include "platform/score_codec.h"
#include "sound/speech.h"

namespace sb {

void StoreHighScoreRecord(Game& game) {
  WriteSetting(game, "HSLevel", game.player.bestDifficulty);
  WriteSetting(game, "HS", ToBase36(EncodeScore(game.player.personalBest)));
}

void SpeakHighScore(Game& game) {
  PlaySound(game, "system\\menu\\hs_yhsi.wav", 0, true);
  SpeakNumber(game, game.player.personalBest);
}

}  // namespace sb
