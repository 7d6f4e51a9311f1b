#include <array>

#include "game/game.h"
#include "game/screen.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr uint8_t kEasy = 1;
constexpr uint8_t kInsane = 4;  // the menu's fourth choice: Hard with the Insane flag

constexpr std::array<const char*, 4> kDifficultyPrompts = {"system\\menu\\diff1.wav", "system\\menu\\diff2.wav",
                                                            "system\\menu\\diff3.wav", "system\\menu\\diff4.wav"};

void AnnounceDifficulty(Game& game, uint8_t difficulty) {
  DuckMenuMusic(game);
  PlaySound(game, kDifficultyPrompts[difficulty - kEasy], 0, true);
  RestoreMenuMusic(game);
}

// The game state holds Insane as Hard with the Insane flag; the flag always
// agrees with the choice, however the menu was left.
void SetDifficulty(Game& game, uint8_t choice) {
  game.state.InsaneMode = choice == kInsane;
  game.state.Difficulty = choice == kInsane ? 3 : choice;
}

}  // namespace

bool DifficultyMenu(Game& game) {
  uint8_t choice = kEasy;
  game.state.Difficulty = kEasy;
  MenuOnScreen screen(game, "Choose a difficulty", kDifficultyPrompts);
  screen.Mark(choice - kEasy);
  OpeningPrompt(game, "system\\menu\\seldiff.wav");
  for (;;) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      choice = PreviousItem(choice, kEasy, kInsane);
      screen.Mark(choice - kEasy);
      AnnounceDifficulty(game, choice);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      choice = NextItem(choice, kEasy, kInsane);
      screen.Mark(choice - kEasy);
      AnnounceDifficulty(game, choice);
    }
    // Enter's latch keeps the press from also firing a weapon bound to Enter.
    if (TakeKey(game.input, dik::RETURN)) {
      SetDifficulty(game, choice);
      return true;
    }
    if (TakeKey(game.input, dik::ESCAPE)) {
      SetDifficulty(game, choice);
      return false;
    }
  }
}

}  // namespace sb
