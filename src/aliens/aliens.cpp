#include "aliens/aliens.h"

#include <utility>

#include "aliens/behaviours.h"
#include "aliens/ground.h"
#include "aliens/spawning.h"
#include "game/game.h"
#include "game/waves.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int32_t kVoiceTopFrequency = 44010;  // hertz, less 2 per unit of height

// Every descent step lowers the alien and re-places its voice: louder and
// lower in pitch the nearer it is to the ground.
void Descend(Game& game, AlienRecord& a) {
  a.Y = static_cast<int16_t>(a.Y + 20 + 2 * (game.state.Difficulty - 1));
  a.Voice.SetFrequency(kVoiceTopFrequency - 2 * a.Y);
  a.Voice.SetPan(a.X - game.state.ShipX);
  a.Voice.SetVolume(VolumeForHeight(game, a.Y));
}

// The colour's step for one record; MoveIndex walks 0..Count, one record per
// pass, so the never-released record Count takes one pass of each cycle.
void StepAliens(Game& game, Colour colour) {
  AlienGroup& g = game.aliens[colour];
  AlienRecord& a = g.Aliens[g.MoveIndex];
  const int32_t now = game.host.Ticks();
  ActOnServe(game, colour, g, a, now);
  if (a.Active && a.StepTick.MoreThan(now, g.StepDelay)) {
    ActBeforeDescent(game, colour, g, a, now);
    if (!a.Landed) {
      Descend(game, a);
      ActAfterDescent(game, colour, g, a, now);
    }
    if (a.Y > kLandingHeight && !a.Landed && !a.Destroyed) LandAlien(game, a);
    a.StepTick.Start(now);
  }
  if (a.Active && a.Landed) GroundStep(game, a, now);
  ActAfterGround(game, colour, g, a, now);
  g.MoveIndex = g.MoveIndex < g.Count ? g.MoveIndex + 1 : 0;
}

}  // namespace

void UpdateAliens(Game& game) {
  if (!game.state.GameActive) return;
  for (Colour c : kServeOrder) {
    if (game.aliens[c].Count == 0) continue;
    SpawnAliens(game, c);
    StepAliens(game, c);
  }
}

void SetUpColourGroup(Game& game, Colour colour, const ColourRow& row) {
  AlienGroup& g = game.aliens[colour];
  AlienGroup fresh;
  // What carries over from the last wave: the start gate and the spawn clock.
  fresh.Started = g.Started;
  fresh.StartDelay = g.StartDelay;
  fresh.StartTick = g.StartTick;
  fresh.SpawnTick = g.SpawnTick;
  fresh.Count = row.Count;
  fresh.Aliens = std::move(g.Aliens);
  if (row.Count > 0) {
    fresh.StepDelay = row.StepDelay;
    fresh.SpawnInterval = row.SpawnInterval;
    fresh.DriftStep = row.DriftStep;
    fresh.Aliens.clear();  // keeps the capacity: later waves of the game allocate less
    fresh.Aliens.resize(static_cast<size_t>(row.Count) + 1);
  }
  // An absent colour keeps its records, their sounds stopped at the last
  // wave's end, until a wave uses the colour again or the game is left.
  g = std::move(fresh);
}

bool AnyAlienActive(const Game& game) {
  if (!game.state.GameActive) return false;
  for (Colour c : {Colour::Blue, Colour::Green, Colour::Red, Colour::Violet, Colour::Yellow, Colour::Cyan}) {
    const AlienGroup& g = game.aliens[c];
    for (int i = 0; i < g.Count; ++i) {
      if (g.Aliens[static_cast<size_t>(i)].Active) return true;
    }
  }
  return false;
}

}  // namespace sb
