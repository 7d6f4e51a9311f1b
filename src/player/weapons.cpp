#include "player/weapons.h"

#include <algorithm>

#include "aliens/hits.h"
#include "game/game.h"
#include "game/scoring.h"
#include "game/waves.h"
#include "platform/vb_math.h"
#include "player/laser_gate.h"
#include "sound/game_sounds.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int32_t kMissileRange = 9999;     // nothing this far or farther is a target
constexpr int32_t kObliterationPoints = 5000;

// Records 0..Count-1 that the arrays really hold.
size_t AlienCount(const AlienGroup& group) { return std::min<size_t>(group.Count, group.Aliens.size()); }

// Every colour of the wave is asked, in the order the aliens are served.
void ShootAtAliens(Game& game, ShotKind shot) {
  for (Colour colour : kServeOrder) {
    if (game.aliens[colour].Count > 0) HitAliens(game, colour, shot);
  }
}

void ShootStraightUp(Game& game) {
  ShootAtAliens(game, kShotUp);
  if (game.saucer.SaucerPresent) HitSaucer(game);
}

void ShootSideways(Game& game, Action toward) { ShootAtAliens(game, toward == kMoveLeft ? kShotLeft : kShotRight); }

// The alien a missile was sent at, if the arrays still hold it.
AlienRecord* MissileTarget(Game& game, const MissileSlot& missile) {
  AlienGroup& group = game.aliens[missile.TargetColour];
  return missile.TargetIndex < group.Aliens.size() ? &group.Aliens[missile.TargetIndex] : nullptr;
}

// Every active alien (or only the landed ones) explodes in its own voice and pays.
void Obliterate(Game& game, bool landedOnly) {
  game.sounds.nuke.Play(false);
  for (Colour colour : kSweepOrder) {
    AlienGroup& group = game.aliens[colour];
    for (size_t i = 0; i < AlienCount(group); ++i) {
      AlienRecord& alien = group.Aliens[i];
      if (!alien.Active || (landedOnly && !alien.Landed)) continue;
      alien.Voice.SetVolume(0);
      StopSound(alien.Voice);
      LoadSound(game, alien.Voice, "sounds/explode.wav");
      alien.Voice.SetVolume(BlastVolume(alien.Y));
      alien.Voice.Play(false);
      alien.Active = false;
      alien.Destroyed = true;
      AddScore(game, kObliterationPoints);
    }
  }
  CheckWaveCleared(game);
}

}  // namespace

void FireLasers(Game& game) {
  FireLaser(game, {.straight = ShootStraightUp, .side = ShootSideways});
  CheckWaveCleared(game);
}

void FireMissile(Game& game) {
  GameState& state = game.state;
  if (state.MissilesSpent < kMissileSlots && LaunchMissile(game, state.MissilesSpent)) {
    ++state.MissilesSpent;
    return;
  }
  PlayInvalid(game);
}

// The nearest released, active alien in range. Scanning the colours in sweep
// order and taking only a strictly nearer alien, ties go to the earlier colour
// and, within a colour, to the lower index.
bool LaunchMissile(Game& game, uint8_t slot) {
  if (slot >= kMissileSlots) return false;
  const GameState& state = game.state;
  int32_t nearest = kMissileRange;
  const AlienRecord* target = nullptr;
  Colour targetColour = Colour::Blue;
  uint8_t targetIndex = 0;
  for (Colour colour : kSweepOrder) {
    const AlienGroup& group = game.aliens[colour];
    if (group.Count == 0) continue;
    const size_t released = std::min<size_t>(group.Spawned, group.Aliens.size());
    for (size_t i = 0; i < released; ++i) {
      const AlienRecord& alien = group.Aliens[i];
      if (!alien.Active) continue;
      const int32_t distance = Distance(game, state.ShipX, state.ShipY, alien.X, alien.Y);
      if (distance < nearest) {
        nearest = distance;
        target = &alien;
        targetColour = colour;
        targetIndex = static_cast<uint8_t>(i);
      }
    }
  }
  if (!target) return false;

  MissileSlot& missile = game.weapons.missiles[slot];
  missile.TargetX = target->X;
  missile.TargetY = target->Y;
  missile.TargetColour = targetColour;
  missile.TargetIndex = targetIndex;
  missile.FlightTime = RoundHalfEven32(nearest / 3.0);
  missile.Active = true;
  missile.LaunchTick.Start(game.host.Ticks());
  RestartSound(game.sounds.missileLaunch);
  return true;
}

// A missile strikes where its target was at launch and destroys it wherever
// it is now; it pays nothing.
void UpdateMissiles(Game& game) {
  const int32_t now = game.host.Ticks();
  for (int slot = 0; slot < kMissileSlots; ++slot) {
    MissileSlot& missile = game.weapons.missiles[slot];
    if (!missile.Active) continue;
    if (!missile.LaunchTick.MoreThan(now, missile.FlightTime)) continue;
    missile.Active = false;
    if (AlienRecord* alien = MissileTarget(game, missile)) {
      alien->Active = false;
      alien->Destroyed = true;
      StopSound(alien->Voice);
    }
    SoundBuffer& explosion = game.sounds.missileExplosion[slot];
    explosion.SetPan(missile.TargetX - game.state.ShipX);
    explosion.SetVolume(VolumeForHeight(game, missile.TargetY));
    explosion.Play(false);
    CheckWaveCleared(game);
  }
}

// The next wave's arrays are new: a target of the wave that ended means nothing there.
void DiscardMissiles(Game& game) {
  for (MissileSlot& missile : game.weapons.missiles) missile.Active = false;
}

// The shield lasts as long as its sound plays, so the sound always starts
// from its beginning.
void RaiseShield(Game& game) {
  GameState& state = game.state;
  if (state.ShieldActive) return;
  if (state.Shields == 0) {
    PlayInvalid(game);
    return;
  }
  --state.Shields;
  RestartSound(game.sounds.shield);
  state.ShieldActive = true;
}

void LowerShieldWhenSilent(Game& game) {
  GameState& state = game.state;
  if (state.ShieldActive && !game.sounds.shield.IsPlaying()) state.ShieldActive = false;
}

void ArmNuke(Game& game) {
  GameState& state = game.state;
  if (!state.HasNukes || state.Nukes == 0) {
    PlayInvalid(game);
    return;
  }
  --state.Nukes;
  if (state.Nukes == 0) state.HasNukes = false;
  state.NukePending = true;
  RestartSound(game.sounds.nukeUp);
}

void DetonatePendingNuke(Game& game) {
  GameState& state = game.state;
  if (!state.NukePending || game.sounds.nukeUp.IsPlaying()) return;
  state.NukePending = false;
  DetonateNuke(game);
}

// The saucer is out of its reach.
void DetonateNuke(Game& game) { Obliterate(game, false); }

// One charge a press: a press that comes while a charge waits or still
// sounds asks for no other. Held on until the vapor sound has ended, the key
// asks again, so holding it releases one charge after another.
void RequestVapor(Game& game) {
  GameState& state = game.state;
  if (state.VaporPending) return;
  if (state.Vapors == 0) {
    PlayInvalid(game);  // restarted on every pass while held: it stutters
    return;
  }
  if (!game.sounds.vapor.IsPlaying()) state.VaporPending = true;
}

void ReleaseVapor(Game& game) { Obliterate(game, true); }

}  // namespace sb
