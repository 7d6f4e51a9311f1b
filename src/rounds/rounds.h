#pragma once
// The special rounds, each with its own loop over its own objects.

#include <cstdint>

namespace sb {

struct Game;

enum class SpecialRound : uint8_t { SheepDrop, MeteorShower, Boss };

// After a level of five perfect waves. Each returns when the round is over
// (tallied, or left with Escape); the game goes on with the next level.
void SheepDropRound(Game& game);
void MeteorShowerRound(Game& game);
void BossRound(Game& game);

// A fresh game that starts with a round, as a game reaches it: the sheep drop
// or the meteor shower after the first level, the boss after the last one.
// When the round leaves the game going, the game goes on with the next level.
void PlayRoundDirectly(Game& game, SpecialRound round);

}  // namespace sb
