#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/alien_sounds.h"
#include "sound/sound_engine.h"

namespace sb::test {
namespace {

// The lines of the log about one recording, with the op in front: "freq freq=43610".
std::vector<std::string> About(const AlienField& f, const std::string& file) {
  std::vector<std::string> out;
  for (const std::string op : {"freq", "pan", "vol"}) {
    for (const auto& rest : f.LogRest(op)) {
      if (rest.rfind(file + " ", 0) == 0) out.push_back(op + " " + rest.substr(file.size() + 1));
    }
  }
  return out;
}

TEST(AlienDescent, EachStepLowersTheVoiceAndPlacesItByHeightAndShip) {
  const struct {
    uint8_t difficulty;
    int16_t y;  // after the first step from 180
  } cases[] = {{1, 200}, {2, 202}, {3, 204}};
  for (const auto& c : cases) {
    AlienField f;
    f.game.state.Difficulty = c.difficulty;
    f.SetUp(Colour::Green, 1, 5000);
    f.RunUntilReleased(Colour::Green, 1);
    const AlienRecord& a = f.Alien(Colour::Green, 0);
    f.game.state.ShipX = 2000;  // the ship has moved since the release
    f.ClearLog();
    while (a.Y == 180) f.Pass();
    EXPECT_EQ(a.Y, c.y);
    EXPECT_EQ(About(f, "sounds/agreen.wav"),
              (std::vector<std::string>{"freq freq=" + std::to_string(44010 - 2 * c.y),
                                        "pan pan=" + std::to_string(a.X - 2000),
                                        "vol vol=" + std::to_string(VolumeForHeight(f.game, c.y))}))
        << "difficulty " << int{c.difficulty};
  }
}

// With one pass per millisecond, each alien of a group is served once per
// Count + 1 passes (the never-released record takes its pass too), and
// steps when more than StepDelay has passed since its last step.
TEST(AlienDescent, AnAlienStepsOncePerCycleOfRecordsAndStepDelay) {
  const struct {
    int16_t stepDelay;
    int32_t gap;  // ms between two steps of one alien
  } cases[] = {{0, 3}, {2, 3}, {3, 6}, {10, 12}};
  for (const auto& c : cases) {
    SimOptions options;
    options.passesPerMs = 1;
    AlienField f(options);
    f.SetUp(Colour::Green, 2, c.stepDelay, 0);
    f.RunUntilReleased(Colour::Green, 2);
    const AlienRecord& a = f.Alien(Colour::Green, 0);
    const int16_t y = a.Y;
    while (a.Y == y) f.Pass();
    const int32_t first = f.host.Ticks();
    while (a.Y == y + 20) f.Pass();
    EXPECT_EQ(f.host.Ticks() - first, c.gap) << "step delay " << c.stepDelay;
  }
}

TEST(AlienDescent, GreenIsServedBeforeRedInEveryPass) {
  AlienField f;
  for (Colour c : {Colour::Red, Colour::Green}) {
    f.SetUp(c, 1, 0);
    f.Fly(c, 0, 5000, 180);
  }
  for (int i = 0; i < 100; ++i) f.Pass();
  const std::vector<std::string> steps = f.Log({"freq"});
  ASSERT_EQ(steps.size(), 18u) << "both step once a millisecond after the first";
  for (size_t i = 0; i < steps.size(); i += 2) {
    EXPECT_EQ(steps[i], "freq sounds/agreen.wav");
    EXPECT_EQ(steps[i + 1], "freq sounds/ared.wav");
  }
}

TEST(AlienDescent, AnAlienBelowTheLandingHeightLandsOnce) {
  AlienField f;
  f.game.state.ShipX = 5000;
  f.SetUp(Colour::Green, 1, 0);
  AlienRecord& a = f.Fly(Colour::Green, 0, 6200, 6830);
  f.ClearLog();
  for (int i = 0; i < 200; ++i) f.Pass();
  EXPECT_TRUE(a.Landed);
  EXPECT_TRUE(a.Active);
  EXPECT_TRUE(f.game.state.wave.AlienLandedThisWave);
  EXPECT_TRUE(a.LandedRight);
  EXPECT_EQ(a.Y, 6850) << "a landed alien descends no further";
  EXPECT_EQ(f.Log({"play", "stop"}), (std::vector<std::string>{"stop sounds/agreen.wav", "play sounds/alienlnd.wav"}));
  EXPECT_EQ(f.LogRest("play").back(), "sounds/alienlnd.wav loop=0 vol=-200 pan=1200 freq=22050");
}

TEST(AlienCount, OnlyFlyingAliensOfTheSixBasicColoursKeepTheFieldBusy) {
  const struct {
    Colour colour;
    bool active, counted;
  } cases[] = {{Colour::Blue, true, true},    {Colour::Green, true, true},   {Colour::Cyan, true, true},
               {Colour::Green, false, false}, {Colour::Orange, true, false}, {Colour::Silver, true, false}};
  for (const auto& c : cases) {
    AlienField f;
    f.SetUp(c.colour, 2);
    f.Alien(c.colour, 1).Active = c.active;
    EXPECT_EQ(AnyAlienActive(f.game), c.counted) << static_cast<int>(c.colour);
    f.game.state.GameActive = false;
    EXPECT_FALSE(AnyAlienActive(f.game));
  }
}

TEST(AlienWaves, ASetUpStartsTheColourAfreshAndReleasesTheLastWavesRecords) {
  AlienField f;
  f.SetUp(Colour::Red, 2, 30000, 0);
  f.RunUntilReleased(Colour::Red, 2);
  f.ClearLog();

  f.SetUp(Colour::Red, 3, 400, 5, 40);
  f.SetUp(Colour::Green, 0);
  const AlienGroup& g = f.Group(Colour::Red);
  EXPECT_EQ(g.Spawned, 0);
  EXPECT_EQ(g.MoveIndex, 0);
  EXPECT_FALSE(g.FirstSpawnDone);
  EXPECT_EQ(g.Aliens.size(), 4u);
  EXPECT_EQ(g.StepDelay, 400);
  EXPECT_EQ(g.SpawnInterval, 5);
  EXPECT_EQ(g.DriftStep, 40);
  EXPECT_FALSE(g.Aliens[0].Active);
  EXPECT_EQ(f.Log({"stop"}), (std::vector<std::string>{"stop sounds/ared.wav", "stop sounds/ared.wav"}))
      << "the last wave's red aliens are gone";
  const int32_t turn = f.host.Ticks();
  const int32_t released = f.RunUntilReleased(Colour::Red, 1);
  EXPECT_GE(released - turn, 1001) << "the new wave's first release is scheduled afresh";
  EXPECT_LE(released - turn, 2002);
}

// A colour the next wave does not use keeps its records, their sounds stopped
// at the wave's end, until a wave uses it again: the field's set-up is the one
// every wave of a game runs.
TEST(AlienWaves, AColourTheNextWaveDoesNotUseKeepsItsRecords) {
  AlienField f;
  f.SetUp(Colour::Red, 2, 30000, 0);
  f.RunUntilReleased(Colour::Red, 2);
  FreeAlienSounds(f.game);
  const AlienRecord* records = f.Group(Colour::Red).Aliens.data();
  f.ClearLog();

  f.SetUp(Colour::Red, 0);
  const AlienGroup& g = f.Group(Colour::Red);
  EXPECT_EQ(g.Count, 0);
  EXPECT_EQ(g.Spawned, 0);
  EXPECT_FALSE(g.FirstSpawnDone);
  ASSERT_EQ(g.Aliens.size(), 3u);
  EXPECT_EQ(g.Aliens.data(), records) << "the same records";
  EXPECT_TRUE(f.Log({"stop", "play"}).empty());
}

}  // namespace
}  // namespace sb::test
