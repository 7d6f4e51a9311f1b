#pragma once
// The special rounds, each with its own loop over its own objects.

namespace sb {

struct Game;

// After a level of five perfect waves. Each returns when the round is over
// (tallied, or left with Escape); the game goes on with the next level.
void SheepDropRound(Game& game);
void MeteorShowerRound(Game& game);
void BossRound(Game& game);

}  // namespace sb
