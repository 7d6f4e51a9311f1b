#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/waves.h"
#include "menus/menu_walk.h"
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

// Items 0 to 5 are levels 1 to 6.
void AnnounceLevel(Game& game, int item) {
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\Level.wav");
  SpeakNumber(game, item + 1);
  RestoreMenuMusic(game);
}

void StepToLevel(Game& game, int item) {
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  AnnounceLevel(game, item);
}

MenuStep StartSelectedLevel(Game& game, int item) {
  DifficultyMenu(game);  // Escape there keeps the difficulty it had: the game starts anyway
  StopMenuMusic(game);
  StartGame(game, static_cast<uint8_t>(item + 1), 1, true);
  // Back from the game: the menu is heard again where it was left.
  PlayMenuMusic(game);
  AnnounceLevel(game, item);
  return MenuStep::Stay;
}

}  // namespace

void LevelSelectMenu(Game& game) {
  MenuOnScreen screen(game, "Choose a level", LevelItems());
  screen.Mark(0);
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\sellevel.wav");
  PlaySound(game, "system\\menu\\Level.wav", 0, true);
  SpeakNumber(game, 1);
  RestoreMenuMusic(game);
  WalkMenu(game, screen,
           {.items = kHighestLevel,
            .speak = StepToLevel,
            .keys = {{dik::RETURN, StartSelectedLevel}, {dik::ESCAPE, LeaveMenu}}});
}

}  // namespace sb
