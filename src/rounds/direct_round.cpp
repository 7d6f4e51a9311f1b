#include "game/game.h"
#include "game/scoring.h"
#include "game/waves.h"
#include "rounds/rounds.h"
#include "sound/speech.h"

namespace sb {

void PlayRoundDirectly(Game& game, SpecialRound round) {
  ResetGameState(game);
  GameState& state = game.state;
  // Where a game stands when the round comes: a bonus round follows the
  // first level, the boss the last.
  state.Level = round == SpecialRound::Boss ? 8 : 2;
  state.Wave = 1;
  switch (round) {
    case SpecialRound::SheepDrop:
      SheepDropRound(game);
      break;
    case SpecialRound::MeteorShower:
      MeteorShowerRound(game);
      break;
    case SpecialRound::Boss:
      BossRound(game);
      break;
  }
  if (state.QuitToMenu) return;
  BreakStatusWait(game);
  PlayGame(game);
}

}  // namespace sb
