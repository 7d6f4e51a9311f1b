#include <gtest/gtest.h>

#include <set>

#include "alien_field.h"
#include "platform/runtime_error.h"

namespace sb::test {
namespace {

TEST(AlienRelease, FirstReleaseComesOneToTwoSecondsAfterTheColoursTurn) {
  std::set<int32_t> delays;
  for (uint32_t seed : {1u, 7u, 300u, 4242u, 86000u}) {
    for (int16_t interval : {0, 1, 10}) {
      SimOptions options;
      options.seed = seed;
      AlienField f(options);
      f.SetUp(Colour::Green, 2, 30000, interval);
      f.Pass();
      const int32_t turn = f.host.Ticks();
      const int32_t released = f.RunUntilReleased(Colour::Green, 1);
      // The start gate opens one tick after the first turn; the release
      // follows once more than the drawn delay has passed.
      EXPECT_GE(released - turn, 1002) << "seed " << seed << " interval " << interval;
      EXPECT_LE(released - turn, 2002) << "seed " << seed << " interval " << interval;
      delays.insert(released - turn);
    }
  }
  EXPECT_GT(delays.size(), 3u) << "the delay is drawn, not fixed";
}

// One green wave of three with a four-second interval: the first alien is
// shot down at once, so the field is empty until the second comes; the
// second is left flying.
TEST(AlienRelease, AnEmptyFieldHurriesTheNextReleaseByDifficulty) {
  const struct {
    const char* name;
    uint8_t difficulty;
    bool insane;
    int32_t firstGap, secondGap;  // ms between releases 1-2 and 2-3
  } cases[] = {
      {"easy", 1, false, 4001, 4001},
      {"medium", 2, false, 2001, 4001},  // half the interval, then back to normal
      {"hard", 3, false, 1, 4001},       // at once, then back to normal
      {"insane", 3, true, 1, 1},         // the hurry is never lifted
  };
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.Difficulty = c.difficulty;
    f.game.state.InsaneMode = c.insane;
    f.SetUp(Colour::Green, 3, 30000, 4);
    const int32_t first = f.RunUntilReleased(Colour::Green, 1);
    f.Alien(Colour::Green, 0).Active = false;
    f.Alien(Colour::Green, 0).Destroyed = true;
    const int32_t second = f.RunUntilReleased(Colour::Green, 2);
    const int32_t third = f.RunUntilReleased(Colour::Green, 3);
    EXPECT_EQ(second - first, c.firstGap) << c.name;
    EXPECT_EQ(third - second, c.secondGap) << c.name;
    EXPECT_EQ(f.game.aliens.HurrySpawn, c.insane) << c.name;
  }
}

// Orange and silver do not count for the empty field, so with only orange
// aliens every release after the first is hurried.
TEST(AlienRelease, OrangeAliensLeaveTheFieldEmpty) {
  AlienField f;
  f.game.state.Difficulty = 2;
  f.SetUp(Colour::Orange, 3, 30000, 4);
  const int32_t first = f.RunUntilReleased(Colour::Orange, 1);
  const int32_t second = f.RunUntilReleased(Colour::Orange, 2);
  const int32_t third = f.RunUntilReleased(Colour::Orange, 3);
  EXPECT_EQ(second - first, 2001);
  EXPECT_EQ(third - second, 2001);
}

TEST(AlienRelease, ReleasesEnterAtTheTopWithinTheFieldWithTheirVoicePlaced) {
  AlienField f;
  f.game.state.ShipX = 3000;
  f.SetUp(Colour::Green, 60, 30000, 0);
  f.RunUntilReleased(Colour::Green, 60);
  const std::vector<std::string> played = f.LogRest("play");
  ASSERT_EQ(played.size(), 60u);
  for (int i = 0; i < 60; ++i) {
    const AlienRecord& a = f.Alien(Colour::Green, i);
    EXPECT_TRUE(a.Active);
    EXPECT_EQ(a.Y, 180);
    EXPECT_GE(a.X, 800);
    EXPECT_LE(a.X, 9500);
    EXPECT_EQ(played[static_cast<size_t>(i)],
              "sounds/agreen.wav loop=1 vol=-2000 pan=" + std::to_string(a.X - 3000) + " freq=22050");
  }
  EXPECT_FALSE(f.Alien(Colour::Green, 60).Active) << "the last record is never released";
  for (int i = 0; i < 20000; ++i) f.Pass();
  EXPECT_EQ(f.Group(Colour::Green).Spawned, 60);
}

// The names the record's buffers hold: voice, action, bomb drop, footsteps, bombs.
std::vector<std::string> Loaded(const AlienRecord& a) {
  std::vector<std::string> out;
  for (const SoundBuffer* b : {&a.Voice, &a.ActionSound, &a.BombDropSound, &a.StepSounds[0], &a.StepSounds[1]}) {
    if (!b->Empty()) out.push_back(b->Name());
  }
  for (const SoundBuffer& b : a.BombSounds) {
    if (!b.Empty()) out.push_back(b.Name());
  }
  return out;
}

TEST(AlienRelease, EachColourLoadsItsOwnSounds) {
  const struct {
    Colour colour;
    std::vector<std::string> loads;
  } cases[] = {
      {Colour::Green, {"sounds/agreen.wav", "sounds/alstep1.wav", "sounds/alstep2.wav"}},
      {Colour::Red, {"sounds/ared.wav", "sounds/shield.wav", "sounds/alstep1.wav", "sounds/alstep2.wav"}},
      {Colour::Yellow, {"sounds/ayellow.wav", "sounds/ylwlaser.wav", "sounds/alstep1.wav", "sounds/alstep2.wav"}},
      {Colour::Cyan, {"sounds/aCyan.wav", "sounds/warp.wav", "sounds/alstep1.wav", "sounds/alstep2.wav"}},
      {Colour::Orange, {"sounds/aorange.wav", "sounds/laser.wav", "sounds/alstep1.wav", "sounds/alstep2.wav"}},
      {Colour::Silver,
       {"sounds/asilver.wav", "sounds/shield.wav", "sounds/dropbomb.wav", "sounds/alstep1.wav", "sounds/alstep2.wav",
        "sounds/bomb01.wav", "sounds/bomb02.wav", "sounds/bomb03.wav", "sounds/bomb04.wav", "sounds/bomb05.wav",
        "sounds/bomb06.wav"}},
  };
  for (const auto& c : cases) {
    AlienField f;
    f.SetUp(c.colour, 1);
    f.RunUntilReleased(c.colour, 1);
    EXPECT_EQ(Loaded(f.Alien(c.colour, 0)), c.loads) << static_cast<int>(c.colour);
  }
}

TEST(AlienRelease, AMissingRecordingStopsTheRelease) {
  AlienField f;
  f.host.VirtualSounds()->SetMissing("sounds/alstep2.wav");
  f.SetUp(Colour::Green, 1);
  EXPECT_THROW(f.RunUntilReleased(Colour::Green, 1), RuntimeError);
  EXPECT_TRUE(f.Played().empty()) << "the voice starts only when every sound is in";
}

TEST(AlienRelease, ColourExtrasAreDrawnAtRelease) {
  AlienField f;
  for (Colour c : {Colour::Blue, Colour::Violet, Colour::Cyan}) f.SetUp(c, 1);
  f.Group(Colour::Violet).Aliens[0].ArmourHits = 0;
  while (f.Group(Colour::Blue).Spawned + f.Group(Colour::Violet).Spawned + f.Group(Colour::Cyan).Spawned < 3) f.Pass();
  EXPECT_EQ(f.Alien(Colour::Blue, 0).TurnDelay, 0) << "blue never turns at random";
  EXPECT_GE(f.Alien(Colour::Violet, 0).TurnDelay, 50);
  EXPECT_LE(f.Alien(Colour::Violet, 0).TurnDelay, 200);
  const AlienRecord& cyan = f.Alien(Colour::Cyan, 0);
  EXPECT_GE(cyan.WarpInterval, 1500);
  EXPECT_LE(cyan.WarpInterval, 6000);
  EXPECT_EQ(cyan.WarpTick, cyan.ShieldTick) << "both are the tick of the release";
  EXPECT_GT(cyan.WarpTick.start, 0);
}

TEST(AlienRelease, NothingHappensBetweenWavesOrForAnAbsentColour) {
  AlienField f;
  f.SetUp(Colour::Green, 2);
  f.game.state.GameActive = false;
  for (int i = 0; i < 30000; ++i) f.Pass();
  EXPECT_EQ(f.Group(Colour::Green).StartTick.start, 0);
  f.game.state.GameActive = true;
  f.RunUntilReleased(Colour::Green, 1);
  EXPECT_EQ(f.Group(Colour::Red).StartTick.start, 0) << "an absent colour is not touched";
  EXPECT_TRUE(f.Group(Colour::Red).Aliens.empty());
}

}  // namespace
}  // namespace sb::test
