#include "platform/input.h"

#include "game/game.h"

namespace sb {

void PollInput(Game& game) {
  InputState& input = game.input;
  switch (game.host.ReadKeyboard(input.keys)) {
    case KeyboardRead::Ok:
      break;
    case KeyboardRead::Lost:
      game.host.ReacquireKeyboard();
      return;
    case KeyboardRead::Failed:
      return;
  }
  for (int key = 0; key < 256; ++key) {
    if (input.keyLatch[key] && !(input.keys[key] & 0x80)) input.keyLatch[key] = false;
  }
}

}  // namespace sb
