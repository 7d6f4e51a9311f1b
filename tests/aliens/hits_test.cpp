#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/hits.h"

namespace sb::test {
namespace {

// The ship at 5000.
struct Shooting : AlienField {
  Shooting() { game.state.ShipX = 5000; }
  // The main laser's volley at one colour.
  void Fire(Colour c) { HitAliens(game, c, kShotUp); }
};

TEST(Hits, AKillExplodesTheAlienOverTheShipAndMovesTheCounters) {
  Shooting f;
  f.SetUp(Colour::Green, 1);
  AlienRecord& a = f.Fly(Colour::Green, 0, 5100, 1000);
  f.ClearLog();
  f.Fire(Colour::Green);
  EXPECT_FALSE(a.Active);
  EXPECT_TRUE(a.Destroyed);
  EXPECT_EQ(f.Log({"play", "stop"}), (std::vector<std::string>{"stop sounds/agreen.wav", "play sounds/explode.wav"}));
  EXPECT_EQ(f.LogRest("play").back(), "sounds/explode.wav loop=0 vol=-1305 pan=0 freq=22050");
  EXPECT_EQ(f.game.state.wave.SureShots, 1);
  EXPECT_EQ(f.game.state.wave.MultiKillCount, 1);
  EXPECT_EQ(f.game.state.wave.NoLandingKills, 1);
}

TEST(Hits, OneShotKillsEveryFlyingAlienInReachAndMissesTheRest) {
  Shooting f;
  f.SetUp(Colour::Green, 5);
  AlienRecord& left = f.Fly(Colour::Green, 0, 4640, 1000);   // just in reach
  AlienRecord& right = f.Fly(Colour::Green, 1, 5360, 3000);  // just in reach
  AlienRecord& far = f.Fly(Colour::Green, 2, 5361, 1000);
  AlienRecord& landed = f.Land(Colour::Green, 3, 5000);
  f.Fire(Colour::Green);
  EXPECT_TRUE(left.Destroyed);
  EXPECT_TRUE(right.Destroyed);
  EXPECT_FALSE(far.Destroyed);
  EXPECT_TRUE(far.MissedOnce);
  EXPECT_FALSE(landed.Destroyed) << "the main laser passes over landed aliens";
  EXPECT_FALSE(landed.MissedOnce);
  EXPECT_EQ(f.game.state.wave.SureShots, 2);
  EXPECT_EQ(f.game.state.wave.MultiKillCount, 1) << "one colour, one volley";
  EXPECT_EQ(f.game.state.wave.NoLandingKills, 1);

  far.X = 5000;
  f.Fire(Colour::Green);
  EXPECT_TRUE(far.Destroyed);
  EXPECT_EQ(f.game.state.wave.SureShots, 2) << "an alien once missed gives no sure shot";
  EXPECT_EQ(f.game.state.wave.MultiKillCount, 2);
}

TEST(Hits, ArmourAbsorbsAsManyHitsAsTheDifficulty) {
  const struct {
    Colour colour;
    uint8_t difficulty;
    int hitsToKill;
  } cases[] = {{Colour::Blue, 1, 2},  {Colour::Blue, 2, 3},  {Colour::Blue, 3, 4},
               {Colour::Yellow, 1, 2}, {Colour::Yellow, 3, 4}, {Colour::Green, 3, 1}};
  for (const auto& c : cases) {
    Shooting f;
    f.game.state.Difficulty = c.difficulty;
    f.SetUp(c.colour, 1);
    AlienRecord& a = f.Fly(c.colour, 0, 5000, 1000);
    f.ClearLog();
    for (int shot = 1; shot < c.hitsToKill; ++shot) f.Fire(c.colour);
    EXPECT_TRUE(a.Active) << "colour " << int(c.colour) << " difficulty " << int(c.difficulty);
    EXPECT_TRUE(f.Log({"play"}).empty()) << "armour takes a hit in silence";
    f.Fire(c.colour);
    EXPECT_TRUE(a.Destroyed) << "colour " << int(c.colour) << " difficulty " << int(c.difficulty);
    EXPECT_EQ(f.game.state.wave.SureShots, 1) << "hits on armour are not misses";
  }
}

TEST(Hits, ARaisedShieldDeflectsTheLaserUntilItsSoundEnds) {
  for (Colour colour : {Colour::Red, Colour::Silver}) {
    Shooting f;
    f.SetUp(colour, 1);
    AlienRecord& a = f.Fly(colour, 0, 5200, 1000);
    LoadSound(f.game, a.ActionSound, "sounds/shield.wav");
    a.ActionSound.Play(false);
    a.ShieldUp = true;
    f.ClearLog();
    f.Fire(colour);
    EXPECT_TRUE(a.Active);
    EXPECT_FALSE(a.MissedOnce);
    const std::vector<std::string> played = f.LogRest("play");
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].substr(0, played[0].find(' ')).rfind("sounds/shiphit", 0), 0u) << played[0];
    EXPECT_NE(played[0].find("vol=-1286 pan=200 "), std::string::npos) << played[0];

    a.ShieldUp = false;
    f.Fire(colour);
    EXPECT_TRUE(a.Destroyed);
    EXPECT_FALSE(a.ActionSound.IsPlaying());
  }
}

TEST(Hits, AKillEndsTheAliensOwnAction) {
  const struct {
    Colour colour;
    const char* action;
    bool AlienRecord::*charged;  // the colour's two laser flags
    bool AlienRecord::*firing;
  } cases[] = {{Colour::Yellow, "sounds/ylwlaser.wav", &AlienRecord::LaserCharging, &AlienRecord::LaserFiring},
               {Colour::Orange, "sounds/laser.wav", &AlienRecord::LaserPrimed, &AlienRecord::LaserArmed}};
  for (const auto& c : cases) {
    Shooting f;
    f.SetUp(c.colour, 1);
    AlienRecord& a = f.Fly(c.colour, 0, 5000, 1000);
    a.ArmourHits = 3;
    LoadSound(f.game, a.ActionSound, c.action);
    a.ActionSound.Play(false);
    a.*c.charged = a.*c.firing = true;
    f.Fire(c.colour);
    ASSERT_TRUE(a.Destroyed);
    EXPECT_FALSE(a.ActionSound.IsPlaying()) << c.action;
    EXPECT_FALSE(a.*c.charged || a.*c.firing) << c.action;
  }
}

// Landed greens at 3000 and 4000 (left of the ship), one right under the
// ship and one at 7000 (right).
TEST(Hits, SideLasersWorkOnTheFirstLandedAlienOnTheirSide) {
  for (uint8_t difficulty : {1, 2, 3}) {
    Shooting f;
    f.game.state.Difficulty = difficulty;
    f.SetUp(Colour::Green, 4);
    AlienRecord& first = f.Land(Colour::Green, 0, 3000);
    AlienRecord& second = f.Land(Colour::Green, 1, 4000);
    AlienRecord& under = f.Land(Colour::Green, 2, 5000);
    AlienRecord& right = f.Land(Colour::Green, 3, 7000);
    f.ClearLog();
    for (int shot = 0; shot < difficulty + 1; ++shot) {
      HitAliens(f.game, Colour::Green, kShotLeft);
      f.host.AdvanceMs(600);  // each strike sound has ended before the next
    }
    EXPECT_EQ(first.HitCount, difficulty + 1);
    EXPECT_TRUE(first.Active) << "difficulty " << int{difficulty};
    EXPECT_EQ(f.Log({"play"}).size(), static_cast<size_t>(difficulty + 1)) << "each strike is heard";
    EXPECT_EQ(f.LogRest("pan").back().substr(f.LogRest("pan").back().find(' ') + 1), "pan=-2000");
    EXPECT_EQ(f.game.state.wave.MultiKillCount, 0);

    HitAliens(f.game, Colour::Green, kShotLeft);
    EXPECT_TRUE(first.Destroyed);
    EXPECT_FALSE(first.Active || first.Landed);
    EXPECT_EQ(f.LogRest("play").back(), "sounds/explode.wav loop=0 vol=-300 pan=-2000 freq=22050");
    EXPECT_EQ(second.HitCount, 0);
    EXPECT_EQ(f.game.state.wave.MultiKillCount, 1);
    EXPECT_EQ(f.game.state.wave.SureShots, 0) << "no sure shots on the ground";

    HitAliens(f.game, Colour::Green, kShotLeft);
    EXPECT_EQ(second.HitCount, 1);
    HitAliens(f.game, Colour::Green, kShotRight);
    EXPECT_EQ(right.HitCount, 1);
    EXPECT_EQ(under.HitCount, 0) << "right under the ship is on neither side";
  }
}

TEST(Hits, KillsAfterTheWavesFirstLandingAreNoLandingKillsNoMore) {
  Shooting f;
  f.SetUp(Colour::Green, 2);
  f.Fly(Colour::Green, 0, 5000, 1000);
  f.Fly(Colour::Green, 1, 5000, 2000);
  f.game.state.wave.AlienLandedThisWave = true;
  f.Fire(Colour::Green);
  EXPECT_EQ(f.game.state.wave.NoLandingKills, 0);
  EXPECT_EQ(f.game.state.wave.MultiKillCount, 1);
}

TEST(Hits, NothingIsHitBetweenWaves) {
  Shooting f;
  f.SetUp(Colour::Green, 1);
  AlienRecord& a = f.Fly(Colour::Green, 0, 5000, 1000);
  f.game.saucer.SaucerEnabled = f.game.saucer.SaucerPresent = true;
  f.game.saucer.SaucerX = 5000;
  f.game.state.GameActive = false;
  f.Fire(Colour::Green);
  HitSaucer(f.game);
  EXPECT_TRUE(a.Active);
  EXPECT_TRUE(f.game.saucer.SaucerPresent);
}

TEST(Hits, AShotSaucerExplodesAndLetsItsPayloadDive) {
  const struct {
    bool enabled, present;
    int16_t x;
    bool hit;
  } cases[] = {{true, true, 5360, true}, {true, true, 4639, false}, {true, false, 5000, false}, {false, true, 5000, false}};
  for (const auto& c : cases) {
    Shooting f;
    SaucerState& s = f.game.saucer;
    s.SaucerEnabled = c.enabled;
    s.SaucerPresent = c.present;
    s.SaucerX = c.x;
    LoadSound(f.game, s.PayloadSound, "sounds/saucer.wav");
    s.PayloadSound.Play(true);
    f.ClearLog();
    HitSaucer(f.game);
    EXPECT_EQ(s.PayloadDiving, c.hit) << c.x;
    EXPECT_EQ(s.SaucerPresent, c.present && !c.hit) << c.x;
    if (!c.hit) {
      EXPECT_TRUE(f.Log({"play", "stop"}).empty());
      continue;
    }
    EXPECT_EQ(f.Log({"play", "stop"}), (std::vector<std::string>{"stop sounds/saucer.wav", "play sounds/explode.wav"}));
    EXPECT_EQ(f.LogRest("play").back(), "sounds/explode.wav loop=0 vol=-1000 pan=0 freq=22050");
  }
}

}  // namespace
}  // namespace sb::test
