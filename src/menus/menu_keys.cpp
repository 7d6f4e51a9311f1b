#include "menus/menu_keys.h"

#include "game/game.h"
#include "input/input.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

void MenuPass(Game& game) {
  PollInput(game);
  ReadModifierKeys(game.input);
  game.host.Yield();
}

void OpeningPrompt(Game& game, const char* prompt) {
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, prompt);
  RestoreMenuMusic(game);
}

uint8_t PreviousItem(uint8_t item, uint8_t first, uint8_t last) {
  return item <= first || item > last ? last : static_cast<uint8_t>(item - 1);
}

uint8_t NextItem(uint8_t item, uint8_t first, uint8_t last) {
  return item >= last || item < first ? first : static_cast<uint8_t>(item + 1);
}

}  // namespace sb
