#include <gtest/gtest.h>

#include <algorithm>

#include "alien_field.h"
#include "aliens/hits.h"

namespace sb::test {
namespace {

using Xs = std::vector<int16_t>;

Xs StepXs(AlienField& f, const AlienRecord& a, int steps) {
  Xs xs;
  for (int i = 0; i < steps; ++i) {
    f.Step(a);
    xs.push_back(a.X);
  }
  return xs;
}

TEST(AlienDrift, DriftsByItsStepAndTurnsOnlyAtTheWalls) {
  const struct {
    Colour colour;
    int16_t x;
    bool left;
    Xs xs;
  } cases[] = {
      {Colour::Blue, 9400, false, {9440, 9480, 9520, 9480, 9440}},
      {Colour::Blue, 280, true, {240, 200, 160, 200, 240}},
      {Colour::Orange, 9400, false, {9440, 9480, 9520, 9480, 9440}},  // its drawn turn delay is never used
  };
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.ShipX = 1000;
    AlienRecord& a = f.ReleaseAt(c.colour, c.x, 180, 0, 40);
    a.DriftLeft = c.left;
    EXPECT_EQ(StepXs(f, a, 5), c.xs) << static_cast<int>(c.colour) << " from " << c.x;
    EXPECT_EQ(a.LaserArmed, c.colour == Colour::Orange) << "a bounce arms orange's laser";
  }
}

// The turn delay drops by the step delay at every step, however long the
// steps actually take apart.
TEST(AlienDrift, VioletAndYellowTurnAtRandomCountedInStepTime) {
  for (Colour colour : {Colour::Violet, Colour::Yellow}) {
    AlienField f;
    f.game.state.ShipX = 1000;
    AlienRecord& a = f.ReleaseAt(colour, 5000, 180, 100, 40);
    a.DriftLeft = false;
    a.TurnDelay = 250;
    EXPECT_EQ(StepXs(f, a, 5), (Xs{5040, 5080, 5040, 5000, 4960})) << static_cast<int>(colour);
    EXPECT_GE(a.TurnDelay, 300 - 2 * 100) << "a new delay of 300 to 2000 is drawn at the turn";
  }
}

// The shield arms when the ship comes under the alien, goes up after a delay
// (even if the ship has gone), and stays up exactly while its sound plays:
// until then the main laser is deflected.
TEST(AlienShield, RaisedAfterTheArmingDelayAndUpWhileItsSoundPlays) {
  const struct {
    uint8_t difficulty;
    int32_t delay;
  } cases[] = {{1, 750}, {2, 550}, {3, 350}};
  for (const auto& c : cases) {
    SimOptions options;
    options.lengths["sounds/shield.wav"] = 400;
    AlienField f(options);
    f.game.state.Difficulty = c.difficulty;
    f.game.state.ShipX = 5000;
    AlienRecord& a = f.ReleaseAt(Colour::Red, 5200, 1000, 9);  // a step every 10 ms
    f.Step(a);
    ASSERT_TRUE(a.ShieldArmed);
    const int32_t armedAt = a.ShieldTick.start;
    f.game.state.ShipX = 8000;  // the ship moves away; the shield comes all the same
    while (!a.ShieldUp) f.Pass();
    const int32_t raisedAt = f.host.Ticks();
    EXPECT_EQ(raisedAt - armedAt, c.delay + 10) << "at the first step after the delay, difficulty " << int{c.difficulty};
    EXPECT_EQ(f.Log({"play"}), (std::vector<std::string>{"play sounds/shield.wav"}));
    EXPECT_EQ(a.ActionSound.Pan(), -2800);
    EXPECT_EQ(a.ActionSound.Volume(), VolumeForHeight(f.game, a.Y)) << "placed by height";

    f.game.state.ShipX = 5000;
    HitAliens(f.game, Colour::Red, kShotUp);
    EXPECT_TRUE(a.Active) << "deflected";
    while (a.ShieldUp) f.Pass();
    EXPECT_EQ(f.host.Ticks() - raisedAt, 400) << "down as soon as its sound has ended";
    HitAliens(f.game, Colour::Red, kShotUp);
    EXPECT_TRUE(a.Destroyed);
  }
}

TEST(AlienWarp, CyanJumpsWhenItsIntervalRunsOutFlyingOrLanded) {
  for (bool landed : {false, true}) {
    AlienField f;
    AlienRecord& a = f.ReleaseAt(Colour::Cyan, 3000, landed ? 6850 : 1000, 30000);
    a.Landed = landed;
    a.WarpInterval = 1000;
    a.WarpTick = f.host.Ticks();
    const int32_t start = a.WarpTick.start;
    while (a.X == 3000 && f.host.Ticks() < start + 5000) f.Pass();
    EXPECT_EQ(f.host.Ticks() - start, 1001) << "landed " << landed;
    EXPECT_GE(a.X, 800);
    EXPECT_LE(a.X, 9500);
    EXPECT_EQ(f.Log({"play"}), (std::vector<std::string>{"play sounds/warp.wav"}));
    EXPECT_EQ(a.ActionSound.Pan(), a.X - f.game.state.ShipX);
    EXPECT_GE(a.WarpInterval, 1500);
    EXPECT_LE(a.WarpInterval, 6000);
  }
}

// Two yellow aliens over the ship: the beams overlap, but their one shared
// timer lets them hurt at most once per 300 ms.
TEST(AlienYellowLaser, TwoBeamsTogetherHurtAtMostOncePer300Ms) {
  SimOptions options;
  options.lengths["sounds/ylwlaser.wav"] = 1000;
  AlienField f(options);
  f.game.state.Difficulty = 2;
  f.game.state.ShipX = 5000;
  f.SetUp(Colour::Yellow, 2, 30000, 0);
  f.RunUntilReleased(Colour::Yellow, 2);
  for (int i = 0; i < 2; ++i) f.Alien(Colour::Yellow, i).X = static_cast<int16_t>(5000 + 100 * i);
  f.ClearLog();
  std::vector<int32_t> hurtAt;
  int16_t energy = f.game.state.Energy;
  const int32_t end = f.host.Ticks() + 1450;  // one charge and one beam each
  while (f.host.Ticks() < end) {
    f.Pass();
    if (f.game.state.Energy == energy) continue;
    EXPECT_EQ(energy - f.game.state.Energy, 10) << "difficulty times 5";
    energy = f.game.state.Energy;
    hurtAt.push_back(f.host.Ticks());
  }
  EXPECT_EQ(Count(f.Log({"play"}), "play sounds/yelpwrup.wav"), 2u);
  EXPECT_EQ(Count(f.Log({"play"}), "play sounds/ylwlaser.wav"), 2u);
  ASSERT_EQ(hurtAt.size(), 4u) << "once at the start of the beams, then every 301 ms of their 1000";
  for (size_t i = 1; i < hurtAt.size(); ++i) EXPECT_EQ(hurtAt[i] - hurtAt[i - 1], 301);
}

TEST(AlienYellowLaser, FiresWhateverTheShipDoesButHurtsOnlyUnderIt) {
  AlienField f;
  f.game.state.ShipX = 5000;
  AlienRecord& a = f.ReleaseAt(Colour::Yellow, 5300, 1000, 30000);
  f.Pass();
  ASSERT_TRUE(a.LaserCharging);
  f.game.state.ShipX = 7000;  // gone before the charge ends
  while (!a.LaserFiring) f.Pass();
  while (a.LaserFiring) f.Pass();
  EXPECT_EQ(f.Log({"play"}), (std::vector<std::string>{"play sounds/yelpwrup.wav", "play sounds/ylwlaser.wav"}));
  EXPECT_EQ(a.ActionSound.Pan(), 5300 - 7000) << "the beam is placed where it fires from";
  EXPECT_EQ(f.game.state.Energy, 100);
}

// An orange alien bounces off the right wall, primes its laser the next time
// it is over the ship, crosses to the left wall and fires on the way back.
TEST(AlienOrangeLaser, FiresOnlyOnTheSecondArmedPassOverTheShip) {
  AlienField f;
  f.game.state.ShipX = 9300;
  AlienRecord& a = f.ReleaseAt(Colour::Orange, 9100, 180, 0, 100);
  a.DriftLeft = false;
  while (!a.LaserPrimed) f.Pass();
  EXPECT_EQ(a.X, 9500) << "primed on the first pass after the bounce at 9600";
  EXPECT_FALSE(a.LaserArmed);
  EXPECT_TRUE(f.Log({"play"}).empty());
  while (a.LaserPrimed && !a.Landed) f.Pass();
  EXPECT_EQ(f.game.state.Energy, 95);
  EXPECT_EQ(f.Log({"play"}).front(), "play sounds/laser.wav");
  EXPECT_EQ(Count(f.Log({"play"}), "play sounds/laser.wav"), 1u);
  EXPECT_FALSE(a.DriftLeft) << "fired on the way back from the left wall";
  EXPECT_GE(a.X, 9300 - 360 - 100);
  EXPECT_EQ(a.ActionSound.Pan(), a.X - 9300);
}

// Past half height silver drops six bombs 200 ms apart, each heard where it
// falls; one within 360 units of the ship costs 10 whatever the difficulty,
// and bombs already dropped keep falling after the alien is shot down. Its
// six are spent once: a later run sounds the drop and nothing falls.
TEST(AlienSilverBombs, SixBombsFallOnceEvenAfterTheAlienIsShotDown) {
  const struct {
    uint8_t difficulty;
    bool shotDown;
  } cases[] = {{1, true}, {3, true}, {2, false}};
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.Difficulty = c.difficulty;
    f.game.state.ShipX = 5000;
    AlienRecord& a = f.ReleaseAt(Colour::Silver, 2000, 3490, 50);
    f.Step(a);
    ASSERT_TRUE(a.BombRun);
    const int32_t runAt = a.BombTick.start;
    a.BombX = {5360, 5361, 4640, 1000, 9000, 5000 - 361};
    while (a.BombIndex == 0) f.Pass();
    if (c.shotDown) {
      a.Active = false;
      a.Destroyed = true;
    }
    while (a.BombRun) f.Pass();
    const std::vector<int> bombs = f.Times("play", "sounds/bomb01.wav");
    ASSERT_EQ(bombs.size(), 1u);
    EXPECT_EQ(bombs[0] - runAt, 500) << "the first falls as the drop sound ends";
    for (int k = 2; k <= 6; ++k) {
      const std::string file = "sounds/bomb0" + std::to_string(k) + ".wav";
      EXPECT_EQ(f.Times("play", file), (std::vector<int>{bombs[0] + 201 * (k - 1)})) << file;
    }
    EXPECT_EQ(f.game.state.Energy, 80) << "two bombs fell within reach";
    EXPECT_EQ(a.BombSounds[2].Pan(), -360);

    const int32_t after = f.host.Ticks() + 3000;
    while (f.host.Ticks() < after) f.Pass();
    const int drops = static_cast<int>(Count(f.Log({"play"}), "play sounds/dropbomb.wav"));
    if (c.shotDown) EXPECT_EQ(drops, 1);
    else EXPECT_GE(drops, 3) << "a new run at every step once the last has ended";
    EXPECT_EQ(a.BombIndex, 6);
    EXPECT_EQ(f.game.state.Energy, 80);
  }
}

}  // namespace
}  // namespace sb::test
