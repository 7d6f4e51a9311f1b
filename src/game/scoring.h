#pragma once
// The player's standing: points, damage, a fresh game.

#include <cstdint>
#include <string>

namespace sb {

struct Game;

// Adds points times the difficulty multiplier (Insane pays 2); the first time
// a game passes the personal best it is announced and stored.
void AddScore(Game& game, int64_t points);
// What a game over in a wave silences: the saucer, the shield, the thrust,
// the aliens, the edge ambience and the background loop.
void EndWaveAtGameOver(Game& game);
// Lowers the energy, warns below 30 and ends the game when the damage is not
// smaller than the energy left: `endScene` silences the scene in play, then
// the game over and the score are spoken. Ignored between scenes and behind
// a shield.
void DamagePlayer(Game& game, int16_t amount, void (*endScene)(Game&) = EndWaveAtGameOver);
// A new game's standing, ship and weapons, fresh but for what the last game
// hands on (the difficulty, Insane, the vapor charges): every way of starting
// a game starts here.
void ResetGameState(Game& game);
// A laser kill opens or extends the multi-kill window.
void RestartMultiKillWindow(Game& game);
// One of the three ship-hit sounds, cutting off the one played last.
void PlayRandomShipHit(Game& game);
// "Easy", "Medium", "Hard" or "Insane".
std::string DifficultyName(const Game& game);

}  // namespace sb
