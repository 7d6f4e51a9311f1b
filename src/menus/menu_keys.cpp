#include "menus/menu_keys.h"

#include "game/game.h"
#include "input/input.h"
#include "sound/music.h"
#include "sound/own_voice.h"
#include "sound/speech.h"

namespace sb {

void MenuPass(Game& game) {
  PollInput(game);
  ReadModifierKeys(game.input);
  HandleVoiceKey(game);
  game.host.Yield();
}

void OpeningPrompt(Game& game, const char* prompt) {
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, prompt);
  RestoreMenuMusic(game);
}

}  // namespace sb
