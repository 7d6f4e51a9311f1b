#include "aliens/ground.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "platform/vb_math.h"
#include "sound/sound_engine.h"

namespace sb {

void LandAlien(Game& game, AlienRecord& a) {
  const int16_t shipX = game.state.ShipX;
  a.Landed = true;
  game.state.wave.AlienLandedThisWave = true;
  a.LandedRight = a.X >= shipX;
  a.Voice.SetVolume(0);
  StopSound(a.Voice);
  LoadSound(game, a.Voice, "sounds/alienlnd.wav");
  a.Voice.SetPan(a.X - shipX);
  a.Voice.SetVolume(static_cast<int32_t>(RoundHalfEven(-std::abs(a.X - shipX) / 6.0)));
  a.Voice.Play(false);
}

namespace {

constexpr int16_t kCrawlStep = 100;
constexpr int16_t kCrawlLeftLimit = 100;    // no step left from here or further left
constexpr int16_t kCrawlRightLimit = 9400;  // no step right from here or further right
constexpr uint8_t kDrainStopsAbove = 35;    // closeness in per cent
constexpr int32_t kDrainIntervalMs = 1000;
constexpr int16_t kDrainDamage = 20;

int32_t CrawlInterval(const Game& game) { return 800 - 200 * (game.state.Difficulty - 1); }
int DrainStartsBelow(const Game& game) { return 40 - 10 * game.state.Difficulty; }

// Always toward the ship, one step at a time, never off the field. An alien
// that has reached the ship keeps stepping back and forth across it.
void Crawl(AlienRecord& a, int16_t shipX) {
  if (a.X >= shipX) {
    if (a.X > kCrawlLeftLimit) a.X = static_cast<int16_t>(a.X - kCrawlStep);
  } else if (a.X < kCrawlRightLimit) {
    a.X = static_cast<int16_t>(a.X + kCrawlStep);
  }
}

// Footsteps alternate, starting with the first.
void Footstep(AlienRecord& a, int16_t shipX) {
  SoundBuffer& step = a.StepSounds[a.StepIndex];
  step.SetPan(a.X - shipX);
  RestartSound(step);
  a.StepIndex = a.StepIndex == 1 ? 0 : 1;
}

}  // namespace

uint8_t Closeness(int16_t x, int16_t shipX) {
  const double a = std::min(x, shipX);
  const double b = std::max(x, shipX);
  if (b <= 0) return 0;
  const double percent = std::fabs(100.0 - 100.0 * a / b);
  return static_cast<uint8_t>(std::min(percent, 255.0));
}

// The alien waits for its landing sound to end, then crawls toward the ship
// at the difficulty's pace. Close enough, it drains the ship's energy with a
// looping power-suck until the ship gets away again.
void GroundStep(Game& game, AlienRecord& a, int32_t now) {
  if (a.Voice.IsPlaying() && !a.DrainLoaded) return;
  if (!a.DrainLoaded) {
    LoadSound(game, a.Voice, "sounds/powrsuck.wav");
    a.DrainLoaded = true;
  }
  if (!a.CrawlTick.MoreThan(now, CrawlInterval(game))) return;

  const int16_t shipX = game.state.ShipX;
  Crawl(a, shipX);
  Footstep(a, shipX);
  const uint8_t closeness = Closeness(a.X, shipX);
  const bool startsDraining = closeness < DrainStartsBelow(game) && !a.Draining;
  if (startsDraining || a.Draining) {
    // The power-suck is placed before it starts: it never starts at full volume.
    a.Voice.SetPan(a.X - shipX);
    a.Voice.SetVolume(static_cast<int32_t>(RoundHalfEven(-std::abs(a.X - shipX) / 2.0)));
  }
  if (startsDraining) {
    a.Draining = true;
    a.Voice.Play(true);
    a.DrainTick.Start(now);
  }
  if (a.Draining) {
    if (a.DrainTick.MoreThan(now, kDrainIntervalMs)) {
      DamagePlayer(game, kDrainDamage);
      a.DrainTick.Start(now);
    }
  }
  if (closeness > kDrainStopsAbove && a.Draining) {
    a.Draining = false;
    StopSound(a.Voice);
  }
  a.CrawlTick.Start(now);
}

}  // namespace sb
