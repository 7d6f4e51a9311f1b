#include "aliens/spawning.h"

#include <array>
#include <string_view>

#include "game/game.h"
#include "platform/vb_math.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int16_t kReleaseY = 180;
constexpr int16_t kReleaseLeft = 800;
constexpr int16_t kReleaseRight = 9500;

struct ColourSounds {
  std::string_view voice;
  std::string_view action;  // empty: the colour has none
};

// Indexed by Colour.
constexpr std::array<ColourSounds, kColourCount> kColourSounds = {{
    {"sounds/ablue.wav", ""},
    {"sounds/agreen.wav", ""},
    {"sounds/ared.wav", "sounds/shield.wav"},
    {"sounds/aviolet.wav", ""},
    {"sounds/ayellow.wav", "sounds/ylwlaser.wav"},
    {"sounds/aCyan.wav", "sounds/warp.wav"},
    {"sounds/aorange.wav", "sounds/laser.wav"},
    {"sounds/asilver.wav", "sounds/shield.wav"},
}};

constexpr std::array<std::string_view, kBombCount> kBombFiles = {
    "sounds/bomb01.wav", "sounds/bomb02.wav", "sounds/bomb03.wav",
    "sounds/bomb04.wav", "sounds/bomb05.wav", "sounds/bomb06.wav"};

bool Drifts(Colour c) {
  return c == Colour::Blue || c == Colour::Violet || c == Colour::Yellow || c == Colour::Orange;
}

// The start gate waits StartDelay seconds from the colour's first turn. No
// wave sets a delay, so it opens on the first pass at which the clock has
// moved on; it stays open until every alien of the colour is out.
bool StartGateOpen(AlienGroup& g, int32_t now) {
  if (g.Started) return true;
  if (g.StartTick == Stopwatch{}) g.StartTick.Start(now);
  if (g.StartTick.MoreThan(now, g.StartDelay * 1000)) g.Started = true;
  return false;
}

// The wait before the next release. The first release of a wave comes 1 to 2
// seconds after the colour's first turn. After it, on medium and harder an
// empty field hurries the next release of the first colour to notice: half
// the interval on medium, at once on hard. A hurried delay stays in force
// until a release lowers the hurry flag, which Insane never does.
void ChooseDelay(Game& game, AlienGroup& g, SpawnTimer& t, int32_t now) {
  if (!g.FirstSpawnDone) {
    g.FirstSpawnDone = true;
    t.Delay = RandomSpread(game, 1000, 2000);
    t.DelayChosen = true;
    g.SpawnTick.Start(now);
    return;
  }
  if (t.DelayChosen) return;
  const int32_t normal = g.SpawnInterval * 1000;
  bool& fieldEmpty = game.state.FieldEmpty;
  bool& hurry = game.aliens.HurrySpawn;
  if (game.state.Difficulty <= 1) {
    t.Delay = normal;
  } else if (fieldEmpty) {
    fieldEmpty = false;
    hurry = true;
    t.Delay = game.state.Difficulty == 2 ? static_cast<int32_t>(RoundHalfEven(normal / 2.0)) : 0;
  } else if (!hurry) {
    t.Delay = normal;
  }
}

void LoadAlienSounds(Game& game, Colour c, AlienRecord& a) {
  const ColourSounds& files = kColourSounds[static_cast<size_t>(c)];
  LoadSound(game, a.Voice, files.voice);
  if (!files.action.empty()) LoadSound(game, a.ActionSound, files.action);
  if (c == Colour::Silver) LoadSound(game, a.BombDropSound, "sounds/dropbomb.wav");
  LoadSound(game, a.StepSounds[0], "sounds/alstep1.wav");
  LoadSound(game, a.StepSounds[1], "sounds/alstep2.wav");
  if (c != Colour::Silver) return;
  for (size_t k = 0; k < kBombFiles.size(); ++k) LoadSound(game, a.BombSounds[k], kBombFiles[k]);
}

void Release(Game& game, Colour c, AlienRecord& a, int32_t now) {
  a.Active = true;
  a.Entered = true;
  a.ShieldTick.Start(now);
  a.Y = kReleaseY;
  a.X = static_cast<int16_t>(RandomSpread(game, kReleaseLeft, kReleaseRight));
  if (Drifts(c)) a.DriftLeft = RandomSpread(game, 0, 10) >= 5;
  if (Drifts(c) && c != Colour::Blue) a.TurnDelay = RandomSpread(game, 50, 200);
  if (c == Colour::Yellow) a.ArmourHits = 0;
  if (c == Colour::Cyan) {
    a.WarpInterval = RandomSpread(game, 1500, 6000);
    a.WarpTick.Start(now);
  }
  LoadAlienSounds(game, c, a);
  a.Voice.SetPan(a.X - game.state.ShipX);
  a.Voice.SetVolume(VolumeForHeight(game, a.Y));
  a.Voice.Play(true);
}

}  // namespace

void SpawnAliens(Game& game, Colour colour) {
  AlienGroup& g = game.aliens[colour];
  SpawnTimer& t = game.aliens.timers[static_cast<size_t>(colour)];
  const int32_t now = game.host.Ticks();
  if (!StartGateOpen(g, now)) return;
  if (g.Spawned >= g.Count) {
    g.Started = false;
    return;
  }
  ChooseDelay(game, g, t, now);
  if (!g.SpawnTick.MoreThan(now, t.Delay)) return;

  game.state.FieldEmpty = false;
  t.DelayChosen = false;
  if (!game.state.InsaneMode) game.aliens.HurrySpawn = false;
  Release(game, colour, g.Aliens[g.Spawned], now);
  g.SpawnTick.Start(now);
  ++g.Spawned;
}

}  // namespace sb
