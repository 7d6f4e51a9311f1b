#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/ground.h"

namespace sb::test {
namespace {

// A green alien that lands at x with the ship at shipX; returns when it has
// touched down.
AlienRecord& LandAt(AlienField& f, int16_t x, int16_t shipX) {
  f.game.state.ShipX = shipX;
  AlienRecord& a = f.ReleaseAt(Colour::Green, x, 6830);
  while (!a.Landed) f.Pass();
  return a;
}

// The landing sound plays out before the first step; then the footsteps
// alternate at the difficulty's pace, each heard where the alien now is.
TEST(AlienGround, CrawlsTowardTheShipOnceItsLandingSoundHasEnded) {
  const struct {
    uint8_t difficulty;
    int interval;
  } cases[] = {{1, 800}, {2, 600}, {3, 400}};
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.Difficulty = c.difficulty;
    AlienRecord& a = LandAt(f, 8000, 5000);
    const int32_t landedAt = f.host.Ticks();
    while (f.host.Ticks() < landedAt + 3000) f.Pass();

    const std::vector<int> first = f.Times("play", "sounds/alstep1.wav");
    const std::vector<int> second = f.Times("play", "sounds/alstep2.wav");
    ASSERT_GE(first.size(), 2u);
    ASSERT_GE(second.size(), 1u);
    EXPECT_GE(first[0] - landedAt, 500) << "not while the landing sound plays";
    EXPECT_LE(first[0] - landedAt, 502);
    EXPECT_EQ(second[0] - first[0], c.interval + 1) << "difficulty " << int{c.difficulty};
    EXPECT_EQ(first[1] - second[0], c.interval + 1);
    const int steps = static_cast<int>(first.size() + second.size());
    EXPECT_EQ(a.X, 8000 - 100 * steps);
    EXPECT_EQ(a.StepSounds[a.StepIndex == 1 ? 0 : 1].Pan(), a.X - 5000) << "the last footstep, where it was taken";
    EXPECT_EQ(a.Voice.Name(), "sounds/powrsuck.wav");
    EXPECT_FALSE(a.Voice.IsPlaying()) << "not close enough to drain";
  }
}

TEST(AlienGround, ClosenessIsRelativeToTheLargerPosition) {
  const struct {
    int16_t x, shipX;
    int closeness;
  } cases[] = {{6500, 5000, 23}, {5000, 6500, 23}, {5000, 5000, 0}, {100, 200, 50},
               {9400, 9500, 1},  {100, 9500, 98},  {200, 300, 33}};
  for (const auto& c : cases) EXPECT_EQ(Closeness(c.x, c.shipX), c.closeness) << c.x << " " << c.shipX;
}

// Always toward the ship, never past the crawl limits.
TEST(AlienGround, OneCrawlStepTowardTheShipWithinTheLimits) {
  const struct {
    int16_t x, shipX, after;
  } cases[] = {{5000, 5000, 4900}, {4950, 5000, 5050}, {100, 100, 100},
               {150, 100, 50},     {9400, 9500, 9400}, {9350, 9500, 9450}};
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.ShipX = c.shipX;
    AlienRecord& a = f.ReleaseAt(Colour::Green, c.x, 6850, 30000);
    a.Landed = true;
    StopSound(a.Voice);
    GroundStep(f.game, a, 10000);
    EXPECT_EQ(a.X, c.after) << c.x << " with the ship at " << c.shipX;
  }
}

// With the ship at 5000 an alien one step from 6500 is 23 per cent away:
// close enough on Easy only. Once draining it hums louder the nearer it is,
// costs 20 energy whenever more than a second has passed, and lets go only
// when the ship is more than 35 per cent away.
TEST(AlienGround, DrainsByDifficultyUntilTheShipGetsAway) {
  const struct {
    uint8_t difficulty;
    bool drains;
  } cases[] = {{1, true}, {2, false}, {3, false}};
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.Difficulty = c.difficulty;
    AlienRecord& a = LandAt(f, 6600, 5000);
    while (a.X == 6600) f.Pass();
    EXPECT_EQ(a.X, 6500);
    EXPECT_EQ(a.Draining, c.drains) << "difficulty " << int{c.difficulty};
    if (!c.drains) continue;
    const int32_t drainFrom = a.DrainTick.start;
    EXPECT_EQ(f.LogRest("play").back(), "sounds/powrsuck.wav loop=1 vol=-750 pan=1500 freq=22050");

    // Easy crawls every 801 ms: the damage comes at the second step.
    while (a.X > 6300) f.Pass();
    EXPECT_EQ(f.game.state.Energy, 80);
    EXPECT_EQ(a.DrainTick.start - drainFrom, 2 * 801);
    EXPECT_EQ(a.Voice.Volume(), -650);

    f.game.state.ShipX = 9500;  // it turns: 6400 against 9500 is 32 per cent
    while (a.X == 6300) f.Pass();
    EXPECT_EQ(a.X, 6400);
    EXPECT_TRUE(a.Draining);
    f.game.state.ShipX = 4200;  // 6300 against 4200: 33 per cent
    while (a.X == 6400) f.Pass();
    EXPECT_TRUE(a.Draining);
    f.game.state.ShipX = 3800;  // 6200 against 3800: 38 per cent
    while (a.X == 6300) f.Pass();
    EXPECT_FALSE(a.Draining);
    EXPECT_EQ(f.Log({"stop"}).back(), "stop sounds/powrsuck.wav");
  }
}

}  // namespace
}  // namespace sb::test
