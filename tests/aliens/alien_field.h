#pragma once
// A wave in play on the simulated host, with only the aliens moving: set up
// colour groups, run passes of the loop as the aliens see them, place aliens
// directly for the hit tests.

#include <string>
#include <vector>

#include "aliens/aliens.h"
#include "game/waves.h"
#include "sound/game_sounds.h"
#include "sound/sound_engine.h"
#include "support/alien_voices.h"
#include "support/sim_game.h"

namespace sb::test {

struct AlienField : SimGame {
  explicit AlienField(SimOptions options = {}) : SimGame(std::move(options)) {
    LoadGameSounds(game);
    ClearLog();
    game.state.GameActive = true;
    game.player.personalBest = 1 << 30;  // no best-score fanfare in the middle of a test
  }

  AlienGroup& Group(Colour c) { return game.aliens[c]; }
  AlienRecord& Alien(Colour c, int i) { return game.aliens[c].Aliens.at(static_cast<size_t>(i)); }

  void SetUp(Colour c, uint8_t count, int16_t stepDelay = 30000, int16_t spawnInterval = 3, uint8_t driftStep = 0) {
    SetUpColourGroup(game, c, ColourRow{count, stepDelay, spawnInterval, driftStep});
  }

  // One pass of the game loop as far as the aliens are concerned: the clock,
  // the aliens' update, then the empty-field test.
  void Pass() {
    host.Yield();
    UpdateAliens(game);
    if (!AnyAlienActive(game)) game.state.FieldEmpty = true;
  }

  // Passes until the colour has released n aliens; the tick of that release.
  int32_t RunUntilReleased(Colour c, int n, int32_t limitMs = 60000) {
    while (Group(c).Spawned < n && host.Ticks() < limitMs) Pass();
    return Group(c).Spawned >= n ? host.Ticks() : -1;
  }

  // A flying alien at (x, y) with its voice playing, as a release leaves
  // it. The colour releases no more aliens of its own.
  AlienRecord& Fly(Colour c, int i, int16_t x, int16_t y) {
    AlienRecord& a = Alien(c, i);
    a.Active = true;
    a.X = x;
    a.Y = y;
    LoadSound(game, a.Voice, VoiceOf(c));
    a.Voice.Play(true);
    Group(c).Spawned = Group(c).Count;
    return a;
  }
  // The colour's one alien, released with all its sounds, then moved to
  // (x, y); from here it steps every stepDelay ms.
  AlienRecord& ReleaseAt(Colour c, int16_t x, int16_t y, int16_t stepDelay = 0, uint8_t driftStep = 0) {
    SetUp(c, 1, 30000, 3, driftStep);
    RunUntilReleased(c, 1);
    Group(c).StepDelay = stepDelay;
    AlienRecord& a = Alien(c, 0);
    a.X = x;
    a.Y = y;
    ClearLog();
    return a;
  }
  // Passes until the alien has taken its next descent step.
  void Step(const AlienRecord& a) {
    const int32_t last = a.StepTick.start;
    const int32_t limit = host.Ticks() + 60000;
    while (a.StepTick.start == last && host.Ticks() < limit) Pass();
  }
  AlienRecord& Land(Colour c, int i, int16_t x) {
    AlienRecord& a = Fly(c, i, x, 6850);
    a.Landed = true;
    return a;
  }
};

}  // namespace sb::test
