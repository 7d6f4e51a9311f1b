#pragma once
// What a scene leaves sounding when it ends. Every scene (a wave, a special
// round, the boss fight, the whole game) ends through EndSceneSounds, which
// stops what the ship started in it and frees what the scene owns; the end of
// a game stops everything else besides.

#include <span>

namespace sb {

struct Game;
class SoundBuffer;

// The night life at the walls falls silent with every scene: a wave or round
// mutes it, so that the next one finds it running; the boss fight and a game
// that ends stop it.
enum class NightLife { Mute, Stop };

// The shield (and its protection), the thrust and the night life end, then the
// scene's own sounds are freed, in the order given.
void EndSceneSounds(Game& game, NightLife nightLife, std::span<SoundBuffer* const> owned = {});

// Stops every running game sound and marks the game inactive: the game loop
// calls it when a game is over or left, the exit prompt before the program ends.
void StopGameSounds(Game& game);

}  // namespace sb
