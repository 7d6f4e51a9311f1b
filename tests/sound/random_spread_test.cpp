#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "platform/vb_random.h"
#include "sound/sound_engine.h"

namespace sb {
namespace {

TEST(VbRandom, ReproducesTheKnownSequence) {
  VbRandom rnd;
  for (const float expected : {0.7055475f, 0.5334240f, 0.5795186f, 0.2895625f, 0.3019480f}) {
    EXPECT_NEAR(rnd.Next(), expected, 1e-7);
  }
}

TEST(VbRandom, RandomizeChangesOnlyTheMiddleBytes) {
  VbRandom a;
  a.Randomize(43200.5f);
  EXPECT_EQ(a.Seed() & 0xFF0000FFu, 0x50000u & 0xFF0000FFu);
  VbRandom b;
  b.Randomize(43200.75f);
  EXPECT_NE(a.Seed(), b.Seed());
}

// 45296 s (12:34:56) is 0x4730F000 as a single: (0x4730 ^ 0xF000) << 8 replaces
// the seed's middle bytes, and the generator runs on from there.
TEST(VbRandom, RandomizeFromTheTimeOfDayIsKnown) {
  VbRandom rnd;
  rnd.Randomize(45296.0f);
  EXPECT_EQ(rnd.Seed(), 0xB73000u);
  for (const float expected : {0.3674127459526062f, 0.2978283166885376f, 0.03630572557449341f}) {
    EXPECT_EQ(rnd.Next(), expected);
  }
}

struct Spread : ::testing::Test {
  SimHost host{SimOptions{}};
  Game game{host};
};

// The whole arithmetic, reseeding from the clock included, pinned: from
// 12:34:56 with 7 ms between calls. Each range's ends both come up.
TEST(SpreadKnownAnswers, FollowsTheOriginalArithmetic) {
  const struct {
    int32_t low, high;
    std::vector<int32_t> values;
  } cases[] = {{1, 10, {4, 9, 2, 8, 2, 5, 3, 1, 10, 4, 10, 1}},
               {50, 200, {105, 173, 69, 168, 70, 123, 92, 52, 193, 101, 200, 57}}};
  for (const auto& c : cases) {
    SimOptions options;
    options.seed = 45296;
    SimHost host(options);
    Game game(host);
    std::vector<int32_t> values;
    for (size_t i = 0; i < c.values.size(); ++i) {
      values.push_back(RandomSpread(game, c.low, c.high));
      host.AdvanceMs(7);
    }
    EXPECT_EQ(values, c.values) << c.low << ".." << c.high;
  }
}

// Whatever the range, the same value never comes twice in a row, and values
// from a wide enough range stay at least 20 per cent apart.
TEST_F(Spread, NeverRepeatsAndKeepsItsDistance) {
  const struct {
    int32_t low, high;
    bool twentyPerCent;
  } ranges[] = {{0, 2, false}, {1, 10, true}, {1, 120, true}, {50, 200, true}, {1000, 2000, true},
                {800, 9500, true}};
  for (const auto& r : ranges) {
    int32_t previous = RandomSpread(game, r.low, r.high);
    for (int i = 0; i < 2000; ++i) {
      host.AdvanceMs(i % 3);  // the generator is re-seeded from the clock
      const int32_t value = RandomSpread(game, r.low, r.high);
      ASSERT_GE(value, r.low);
      ASSERT_LE(value, r.high);
      ASSERT_NE(value, previous) << r.low << ".." << r.high;
      if (r.twentyPerCent) {
        const double ratio = std::min(value, previous) / static_cast<double>(std::max(value, previous));
        ASSERT_GE(std::nearbyint(std::fabs(100 - ratio * 100)), 20) << value << " after " << previous;
      }
      previous = value;
    }
  }
}

TEST_F(Spread, ZeroIsNotRepeatedEither) {
  int zeros = 0;
  int32_t previous = -1;
  for (int i = 0; i < 3000; ++i) {
    host.AdvanceMs(1);
    const int32_t value = RandomSpread(game, 0, 2);
    if (value == 0) {
      ++zeros;
      ASSERT_NE(previous, 0);
    }
    previous = value;
  }
  EXPECT_GT(zeros, 0);
}

TEST_F(Spread, RangesTooNarrowForTheRuleStillAnswer) {
  EXPECT_EQ(RandomSpread(game, 5, 5), 5);
  EXPECT_EQ(RandomSpread(game, 5, 5), 5) << "a one-value range can only repeat";
  int32_t previous = RandomSpread(game, 100, 110);
  for (int i = 0; i < 50; ++i) {
    const int32_t value = RandomSpread(game, 100, 110);
    EXPECT_NE(value, previous);
    previous = value;
  }
}

TEST_F(Spread, ExplosionsNeverOverlapAndAlternate) {
  ASSERT_TRUE(game.sound.Start());
  LoadGameSounds(game);
  PlayRandomExplosion(game);
  const uint8_t first = game.sounds.lastExplosion;
  ASSERT_TRUE(game.sounds.explosion[first].IsPlaying());
  host.AdvanceMs(100);
  PlayRandomExplosion(game);  // the first still sounds: nothing
  int playing = 0;
  for (auto& e : game.sounds.explosion) playing += e.IsPlaying();
  EXPECT_EQ(playing, 1);
  host.AdvanceMs(500);
  PlayRandomExplosion(game);
  EXPECT_NE(game.sounds.lastExplosion, first);
}

}  // namespace
}  // namespace sb
