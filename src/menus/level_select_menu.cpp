#include "game/game.h"
#include "game/scoring.h"
#include "game/waves.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr uint8_t kHighestLevel = 6;

void AnnounceLevel(Game& game, uint8_t level) {
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\Level.wav");
  SpeakNumber(game, level);
  RestoreMenuMusic(game);
}

void StartSelectedLevel(Game& game, uint8_t level) {
  DifficultyMenu(game);  // Escape there keeps the difficulty it had: the game starts anyway
  StopMenuMusic(game);
  ResetGameState(game);
  game.state.Level = level;
  game.state.Wave = 1;
  game.state.LevelSelected = true;
  PlayGame(game);
}

}  // namespace

void LevelSelectMenu(Game& game) {
  uint8_t level = 1;
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\sellevel.wav");
  PlaySound(game, "system\\menu\\Level.wav", 0, true);
  SpeakNumber(game, level);
  RestoreMenuMusic(game);
  for (;;) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      PlaySound(game, "system\\menu\\bleep.wav", 0, false);
      level = PreviousItem(level, 1, kHighestLevel);
      AnnounceLevel(game, level);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      PlaySound(game, "system\\menu\\bleep.wav", 0, false);
      level = NextItem(level, 1, kHighestLevel);
      AnnounceLevel(game, level);
    }
    if (TakeKey(game.input, dik::RETURN)) {
      StartSelectedLevel(game, level);
      // Back from the game: the menu is heard again where it was left.
      PlayMenuMusic(game);
      AnnounceLevel(game, level);
    }
    if (TakeKey(game.input, dik::ESCAPE)) return;
  }
}

}  // namespace sb
