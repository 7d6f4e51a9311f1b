// What a laser kill pays: the colour's base points times the kill factor,
// which grows with the height of the kill and with a first-shot kill, and
// then the difficulty's multiplier.

#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/hits.h"

namespace sb::test {
namespace {

TEST(KillPoints, HeightAndSureShotBonusesAndTheMultiplier) {
  const struct {
    const char* name;
    Colour colour;
    int16_t y;
    bool missedOnce;
    uint8_t difficulty;
    int32_t points;
  } cases[] = {
      {"green at release height, first shot", Colour::Green, 180, false, 1, 542},
      {"silver at release height, first shot", Colour::Silver, 180, false, 1, 81316},
      {"green just above the ground after a miss", Colour::Green, 6840, true, 1, 100},
      {"orange's sure shot is worth five", Colour::Orange, 6840, false, 1, 60000},
      {"green at release height on medium", Colour::Green, 180, false, 2, 1084},
  };
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.ShipX = 5000;
    f.game.state.Difficulty = c.difficulty;
    f.game.player.personalBest = 1'000'000'000;
    f.SetUp(c.colour, 1);
    AlienRecord& a = f.Fly(c.colour, 0, 5000, c.y);
    a.MissedOnce = c.missedOnce;
    a.ShieldUp = false;
    HitAliens(f.game, c.colour, kShotUp);
    EXPECT_TRUE(a.Destroyed) << c.name;
    EXPECT_EQ(f.game.state.Score, c.points) << c.name;
  }
}

// Two aliens of one colour in one volley are paid in one sum: one factor
// holding both height bonuses.
TEST(KillPoints, OneVolleyPaysItsKillsOfAColourTogether) {
  AlienField f;
  f.game.state.ShipX = 5000;
  f.game.player.personalBest = 1'000'000'000;
  f.SetUp(Colour::Green, 2);
  f.Fly(Colour::Green, 0, 4900, 180).MissedOnce = true;
  f.Fly(Colour::Green, 1, 5100, 180).MissedOnce = true;
  HitAliens(f.game, Colour::Green, kShotUp);
  EXPECT_EQ(f.game.state.Score, 684);  // 100 x (1 + 2 x (3 - 180 / 2280))
}

}  // namespace
}  // namespace sb::test
