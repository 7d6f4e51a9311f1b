#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/waves.h"
#include "menus/menu_keys.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr uint8_t kHighestLevel = 6;

// "Level one" .. "Level six", in the words the menu says them.
std::vector<std::string> LevelItems() {
  std::vector<std::string> items;
  for (uint8_t level = 1; level <= kHighestLevel; ++level) {
    items.push_back(ItemWords("system\\menu\\Level.wav") + " " +
                    ItemWords("sounds\\numbers\\" + std::to_string(level) + ".wav"));
  }
  return items;
}

void AnnounceLevel(Game& game, uint8_t level) {
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\Level.wav");
  SpeakNumber(game, level);
  RestoreMenuMusic(game);
}

void StartSelectedLevel(Game& game, uint8_t level) {
  DifficultyMenu(game);  // Escape there keeps the difficulty it had: the game starts anyway
  StopMenuMusic(game);
  StartGame(game, level, 1, true);
}

}  // namespace

void LevelSelectMenu(Game& game) {
  uint8_t level = 1;
  MenuOnScreen screen(game, "Choose a level", LevelItems());
  screen.Mark(level - 1);
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\sellevel.wav");
  PlaySound(game, "system\\menu\\Level.wav", 0, true);
  SpeakNumber(game, level);
  RestoreMenuMusic(game);
  for (;;) {
    MenuPass(game);
    if (KeyDown(game.input, dik::UP)) {
      level = PreviousItem(level, 1, kHighestLevel);
      screen.Mark(level - 1);
      PlaySound(game, "system\\menu\\bleep.wav", 0, false);
      AnnounceLevel(game, level);
    }
    if (KeyDown(game.input, dik::DOWN)) {
      level = NextItem(level, 1, kHighestLevel);
      screen.Mark(level - 1);
      PlaySound(game, "system\\menu\\bleep.wav", 0, false);
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
