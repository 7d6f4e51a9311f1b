#include "aliens/hits.h"

#include <array>
#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "platform/vb_math.h"
#include "player/laser_gate.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

struct KillValue {
  int32_t points;
  float sureShotBonus;  // added to the kill factor when the alien was never missed
};

// Indexed by Colour.
constexpr std::array<KillValue, kColourCount> kKillValues = {{
    {1000, 1.5f},   // blue
    {100, 1.5f},    // green
    {500, 1.5f},    // red
    {1500, 1.5f},   // violet
    {2000, 1.5f},   // yellow
    {5000, 1.5f},   // cyan
    {10000, 5.0f},  // orange
    {15000, 1.5f},  // silver
}};

bool Shielded(Colour c) { return c == Colour::Red || c == Colour::Silver; }
bool Armoured(Colour c) { return c == Colour::Blue || c == Colour::Yellow; }

// A shot that strikes without destroying: one of the ship-hit sounds where the alien is.
SoundBuffer& StrikeSound(Game& game, const AlienRecord& a) {
  SoundBuffer& s = game.sounds.shipHit[static_cast<size_t>(RandomSpread(game, 0, 2))];
  s.SetPan(a.X - game.state.ShipX);
  return s;
}

// The colour's running action sound ends with it.
void SilenceAction(Colour c, AlienRecord& a) {
  if (Shielded(c)) {
    StopSound(a.ActionSound);
    a.ShieldUp = false;
  } else if (c == Colour::Yellow) {
    StopSound(a.ActionSound);
    a.LaserCharging = false;
    a.LaserFiring = false;
  } else if (c == Colour::Orange) {
    StopSound(a.ActionSound);
    a.LaserPrimed = false;
    a.LaserArmed = false;
  }
}

void Destroy(AlienRecord& a) {
  a.Active = false;
  a.Destroyed = true;
}

// The main laser destroys every flying alien of the colour within reach
// unless a shield deflects it or armour absorbs it; it marks every alien out
// of reach as missed. Each kill adds its height bonus to the kill factor and,
// for an alien never missed, the sure-shot bonus. Returns whether any died.
bool HitFlying(Game& game, Colour c, float& factor) {
  AlienGroup& g = game.aliens[c];
  GameState& st = game.state;
  bool killed = false;
  for (g.HitIndex = 0; g.HitIndex < g.Count; ++g.HitIndex) {
    AlienRecord& a = g.Aliens[g.HitIndex];
    if (!a.Active || a.Landed) continue;
    if (!WithinReach(game, a.X)) {
      a.MissedOnce = true;
      continue;
    }
    if (Shielded(c) && a.ShieldUp) {
      SoundBuffer& deflected = StrikeSound(game, a);
      deflected.SetVolume(static_cast<int32_t>(RoundHalfEven(a.Y * 0.214 - 1500)));
      deflected.Play(false);
      continue;
    }
    if (Armoured(c) && a.ArmourHits < st.Difficulty) {
      ++a.ArmourHits;
      continue;
    }
    a.Voice.SetVolume(0);
    StopSound(a.Voice);
    LoadSound(game, a.Voice, "sounds/explode.wav");
    a.Voice.SetVolume(BlastVolume(a.Y));  // not panned: it is over the ship
    a.Voice.Play(false);
    SilenceAction(c, a);
    Destroy(a);
    killed = true;
    factor = static_cast<float>(factor + 3 - a.Y / 2280.0);
    RestartMultiKillWindow(game);
    if (!a.MissedOnce) {
      factor = static_cast<float>(factor + static_cast<double>(kKillValues[static_cast<size_t>(c)].sureShotBonus));
      ++st.wave.SureShots;
    }
  }
  return killed;
}

// A side laser works on the first landed alien on its side: it takes
// Difficulty + 1 strikes, and the next shot destroys it. An alien right at
// the ship is on neither side. Returns whether it died.
bool HitLanded(Game& game, Colour c, ShotKind shot) {
  AlienGroup& g = game.aliens[c];
  const int16_t shipX = game.state.ShipX;
  for (g.HitIndex = 0; g.HitIndex < g.Count; ++g.HitIndex) {
    AlienRecord& a = g.Aliens[g.HitIndex];
    if (!a.Landed || a.Destroyed) continue;
    if (shot == kShotLeft ? a.X >= shipX : a.X <= shipX) continue;
    if (a.HitCount < game.state.Difficulty + 1) {
      StrikeSound(game, a).Play(false);
      ++a.HitCount;
    } else {
      a.KillPending = true;
    }
    if (!a.KillPending) return false;
    LoadSound(game, a.Voice, "sounds/explode.wav");
    a.Voice.SetPan(a.X - shipX);
    a.Voice.SetVolume(static_cast<int32_t>(RoundHalfEven(-std::abs(shipX - a.X) * 0.15)));
    a.Voice.Play(false);
    a.Landed = false;
    Destroy(a);
    if (Shielded(c)) a.ShieldUp = false;
    RestartMultiKillWindow(game);
    return true;
  }
  return false;
}

}  // namespace

// All kills of one colour in one shot are paid together: one AddScore of the
// base points times the kill factor, one step of the multi-kill count and,
// before the wave's first landing, one no-landing kill.
void HitAliens(Game& game, Colour colour, ShotKind shot) {
  if (!game.state.GameActive) return;
  float factor = 1.0f;
  const bool killed = shot == kShotUp ? HitFlying(game, colour, factor) : HitLanded(game, colour, shot);
  if (!killed) return;
  GameState& st = game.state;
  ++st.wave.MultiKillCount;
  AddScore(game, RoundHalfEven(static_cast<double>(factor) * kKillValues[static_cast<size_t>(colour)].points));
  if (!st.wave.AlienLandedThisWave) st.wave.NoLandingKills = SaturatingAdd(st.wave.NoLandingKills, 1);
}

void HitSaucer(Game& game) {
  SaucerState& s = game.saucer;
  if (!game.state.GameActive || !s.SaucerEnabled || !s.SaucerPresent) return;
  if (!WithinReach(game, s.SaucerX)) return;
  s.PayloadSound.SetVolume(0);
  StopSound(s.PayloadSound);
  LoadSound(game, s.PayloadSound, "sounds/explode.wav");
  s.PayloadSound.SetVolume(-1000);
  s.PayloadSound.Play(false);
  s.PayloadDiving = true;
  s.SaucerPresent = false;
  AddScore(game, static_cast<int64_t>(game.state.Level) * 10000);
}

}  // namespace sb
