#pragma once
// The special rounds, each with its own loop over its own objects.

namespace sb {

struct Game;

void SheepDropRound(Game& game);
void MeteorShowerRound(Game& game);
void BossRound(Game& game);

}  // namespace sb
