#include "aliens/behaviours.h"

#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "player/laser_gate.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int16_t kRightWall = 9500;     // a drifting alien beyond this turns left
constexpr int16_t kLeftWall = 200;       // and below this turns right
constexpr int32_t kYellowDamageMs = 300; // the yellow beam hurts at most this often
constexpr int16_t kBombRunHeight = 3500; // silver starts its run once lower than this
constexpr int32_t kBombGapMs = 200;
constexpr int16_t kBombDamage = 10;

bool Drifts(Colour c) {
  return c == Colour::Blue || c == Colour::Violet || c == Colour::Yellow || c == Colour::Orange;
}
bool TurnsAtRandom(Colour c) { return c == Colour::Violet || c == Colour::Yellow; }
bool Shielded(Colour c) { return c == Colour::Red || c == Colour::Silver; }

bool ShipUnder(const Game& game, const AlienRecord& a) { return WithinReach(game, a.X); }
bool Flying(const AlienRecord& a) { return a.Active && !a.Destroyed && !a.Landed; }

// Where the alien is, heard from the ship: pan by distance, volume by height.
void Place(const Game& game, const AlienRecord& a, SoundBuffer& b) {
  b.SetPan(a.X - game.state.ShipX);
  b.SetVolume(VolumeForHeight(game, a.Y));
}

// Sideways travel with a bounce at either wall; violet and yellow also turn
// at random, counted in step time rather than real time. A bounce arms the
// orange laser.
void Drift(Colour c, const AlienGroup& g, AlienRecord& a, Game& game) {
  if (a.X > kRightWall || a.X < kLeftWall) {
    a.DriftLeft = a.X > kRightWall;
    if (c == Colour::Orange) a.LaserArmed = true;
  }
  if (TurnsAtRandom(c)) {
    if (a.TurnDelay > g.StepDelay) {
      a.TurnDelay -= g.StepDelay;
    } else {
      a.TurnDelay = RandomSpread(game, 300, 2000);
      a.DriftLeft = !a.DriftLeft;
    }
  }
  a.X = static_cast<int16_t>(a.DriftLeft ? a.X - g.DriftStep : a.X + g.DriftStep);
}

// Armed while the ship is under the alien, raised after a delay that shortens
// with the difficulty, and up exactly as long as its sound plays.
void Shield(Game& game, AlienRecord& a, int32_t now) {
  if (ShipUnder(game, a) && !a.ShieldArmed) {
    a.ShieldArmed = true;
    a.ShieldTick.Start(now);
  }
  if (a.ShieldArmed && !a.ShieldUp) {
    if (a.ShieldTick.MoreThan(now, 750 - 200 * (game.state.Difficulty - 1))) {
      Place(game, a, a.ActionSound);
      RestartSound(a.ActionSound);
      a.ShieldUp = true;
      a.ShieldTick.Start(now);
    }
  }
  if (a.ShieldUp && !a.ActionSound.IsPlaying()) {
    a.ShieldUp = false;
    a.ShieldArmed = false;
  }
}

// Cyan jumps to a random place now and then, on the ground as well.
void Warp(Game& game, AlienRecord& a, int32_t now) {
  if (!a.WarpTick.MoreThan(now, a.WarpInterval)) return;
  a.X = static_cast<int16_t>(RandomSpread(game, 800, 9500));
  Place(game, a, a.ActionSound);
  RestartSound(a.ActionSound);
  a.WarpInterval = RandomSpread(game, 1500, 6000);
  a.WarpTick.Start(now);
}

void PlayActionOnce(Game& game, AlienRecord& a, const char* file) {
  LoadSound(game, a.ActionSound, file);
  Place(game, a, a.ActionSound);
  a.ActionSound.Play(false);
}

// Yellow charges when the ship comes under it and then fires whatever the
// ship does; the beam hurts only while the ship stays under it.
void YellowLaser(Game& game, AlienRecord& a, int32_t now) {
  AliensState& aliens = game.aliens;
  if (ShipUnder(game, a) && !a.LaserCharging && !a.LaserFiring) {
    a.LaserCharging = true;
    PlayActionOnce(game, a, "sounds/yelpwrup.wav");
  }
  if (a.LaserCharging && !a.LaserFiring && !a.ActionSound.IsPlaying()) {
    a.LaserFiring = true;
    StopSound(a.ActionSound);
    PlayActionOnce(game, a, "sounds/ylwlaser.wav");
  }
  if (a.LaserFiring && !a.ActionSound.IsPlaying()) {
    a.LaserFiring = false;
    a.LaserCharging = false;
    StopSound(a.ActionSound);
    a.ActionSound.SetPosition(0);
    aliens.LaserTick.Start(now);
  }
  if (a.LaserFiring && ShipUnder(game, a)) {
    if (aliens.LaserTick.MoreThan(now, kYellowDamageMs)) {
      PlayRandomShipHit(game);
      aliens.LaserTick.Start(now);
      DamagePlayer(game, static_cast<int16_t>(game.state.Difficulty * 5));
    }
  }
}

// A wall bounce arms orange; the first armed pass over the ship primes the
// laser and the next one fires it.
void OrangeLaser(Game& game, AlienRecord& a) {
  if (!ShipUnder(game, a) || !a.LaserArmed) return;
  a.LaserArmed = false;
  if (!a.LaserPrimed) {
    a.LaserPrimed = true;
    return;
  }
  a.ActionSound.SetPan(a.X - game.state.ShipX);
  RestartSound(a.ActionSound);
  PlayRandomShipHit(game);
  DamagePlayer(game, static_cast<int16_t>(game.state.Difficulty * 5));
  a.LaserPrimed = false;
}

// Past half height silver drops its six bombs, at places drawn now.
void StartBombRun(Game& game, AlienRecord& a, int32_t now) {
  if (a.Y <= kBombRunHeight || a.Landed || a.Destroyed || a.BombRun) return;
  for (int16_t& x : a.BombX) x = static_cast<int16_t>(RandomSpread(game, 500, 9200));
  a.BombRun = true;
  a.BombDropSound.SetPan(a.X - game.state.ShipX);
  RestartSound(a.BombDropSound);
  a.BombTick.Start(now);
}

// Once the drop sound has ended the bombs fall one by one, each heard where
// it lands, even after the alien itself is gone. The six are dropped once in
// a silver alien's life: a later run sounds the drop and ends without bombs.
void FallBombs(Game& game, AlienRecord& a, int32_t now) {
  if (a.BombRun && !a.BombDropSound.IsPlaying()) a.BombsFalling = true;
  if (!a.BombsFalling) return;
  if (!a.BombTick.MoreThan(now, kBombGapMs)) return;
  if (a.BombIndex >= kBombCount) {
    a.BombsFalling = false;
    a.BombRun = false;
    return;
  }
  const int16_t x = a.BombX[a.BombIndex];
  SoundBuffer& bomb = a.BombSounds[a.BombIndex];
  bomb.SetPan(x - game.state.ShipX);
  RestartSound(bomb);
  if (WithinReach(game, x)) {
    // Heard before the damage: a bomb that ends the game is not heard after its end.
    PlayRandomShipHit(game);
    PlayRandomExplosion(game);
    DamagePlayer(game, kBombDamage);
  }
  ++a.BombIndex;
  a.BombTick.Start(now);
}

}  // namespace

void ActOnServe(Game& game, Colour colour, AlienGroup&, AlienRecord& alien, int32_t now) {
  if (colour == Colour::Cyan && alien.Active) Warp(game, alien, now);
  if (!Flying(alien)) return;
  if (colour == Colour::Yellow) YellowLaser(game, alien, now);
  if (colour == Colour::Orange) OrangeLaser(game, alien);
}

void ActBeforeDescent(Game& game, Colour colour, AlienGroup&, AlienRecord& alien, int32_t now) {
  if (Shielded(colour)) Shield(game, alien, now);
}

void ActAfterDescent(Game& game, Colour colour, AlienGroup& group, AlienRecord& alien, int32_t now) {
  if (Shielded(colour) || colour == Colour::Yellow) Place(game, alien, alien.ActionSound);
  if (Drifts(colour)) Drift(colour, group, alien, game);
  if (colour == Colour::Silver) StartBombRun(game, alien, now);
}

void ActAfterGround(Game& game, Colour colour, AlienGroup&, AlienRecord& alien, int32_t now) {
  if (colour == Colour::Silver) FallBombs(game, alien, now);
}

}  // namespace sb
