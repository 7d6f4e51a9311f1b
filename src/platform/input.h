#pragma once

namespace sb {

struct Game;

// One input poll: the keyboard snapshot, then the release of key latches.
void PollInput(Game& game);

}  // namespace sb
