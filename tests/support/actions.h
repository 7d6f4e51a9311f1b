#pragma once
// The action table as tests start from it.

#include <algorithm>

#include "game/game.h"
#include "platform/key_map.h"

namespace sb::test {

// The default keys and joystick buttons, as start-up leaves them with the
// key map that ships with the program.
inline void UseDefaultActions(Game& game) {
  const ActionTable table = DefaultActionTable();
  std::copy(table.begin(), table.end(), game.input.actions.begin());
}

}  // namespace sb::test
