#include <array>

#include "game/game.h"
#include "game/screen.h"
#include "menus/menu_keys.h"
#include "menus/menu_walk.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr uint8_t kEasy = 1;
constexpr uint8_t kInsane = 4;  // the menu's fourth choice: Hard with the Insane flag

constexpr std::array<const char*, 4> kDifficultyPrompts = {"system\\menu\\diff1.wav", "system\\menu\\diff2.wav",
                                                            "system\\menu\\diff3.wav", "system\\menu\\diff4.wav"};

void AnnounceDifficulty(Game& game, int item) {
  DuckMenuMusic(game);
  PlaySound(game, kDifficultyPrompts[item], 0, true);
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
  game.state.Difficulty = kEasy;
  MenuOnScreen screen(game, "Choose a difficulty", kDifficultyPrompts);
  screen.Mark(0);
  OpeningPrompt(game, "system\\menu\\seldiff.wav");
  // Enter's latch keeps the press from also firing a weapon bound to Enter.
  const MenuLeft left = WalkMenu(game, screen,
                                 {.items = kDifficultyPrompts.size(),
                                  .speak = AnnounceDifficulty,
                                  .keys = {{dik::RETURN, LeaveMenu}, {dik::ESCAPE, LeaveMenu}}});
  SetDifficulty(game, kEasy + left.item);
  return left.key == dik::RETURN;
}

}  // namespace sb
