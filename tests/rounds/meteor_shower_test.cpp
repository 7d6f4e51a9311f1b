#include "rounds/meteor_shower.h"

#include <gtest/gtest.h>

#include "rounds/round_rig.h"

namespace sb {
namespace {

using test::RoundRig;
using Strings = std::vector<std::string>;

// A meteor that lands explodes, catches fire once its explosion has been
// heard, counts as resolved from then on and burns 6000 + 1000 ms per
// difficulty step.
TEST(MeteorShower, ALandedMeteorExplodesThenBurnsOutAfterItsTime) {
  for (const uint8_t difficulty : {1, 3}) {
    SimOptions options;
    options.lengths = {{"sounds/metrexpl.wav", 400}};
    RoundRig rig("", options);
    rig.game.state.Difficulty = difficulty;
    rig.SetUpMeteors();
    Meteor& meteor = rig.DropMeteorAt(0, 7000, kGroundY - 5);
    rig.Passes(12000, [&] { UpdateMeteor(rig.game); });
    const auto landed = rig.Times("play", "sounds/metrexpl.wav");
    const auto fire = rig.Times("play", "sounds/metrfire.wav");
    const auto out = rig.Times("stop", "sounds/metrfire.wav");
    ASSERT_EQ(landed.size(), 1u) << int{difficulty};
    ASSERT_EQ(fire.size(), 1u) << int{difficulty};
    ASSERT_EQ(out.size(), 1u) << int{difficulty};
    EXPECT_GE(fire[0] - landed[0], 400) << "the fire follows the explosion";
    EXPECT_LE(fire[0] - landed[0], 410);
    EXPECT_GT(out[0] - fire[0], 6000 + 1000 * difficulty);
    EXPECT_LE(out[0] - fire[0], 6010 + 1000 * difficulty);
    EXPECT_TRUE(meteor.Resolved && meteor.Burning && meteor.BurntOut) << int{difficulty};
    const Strings played = rig.Lines({"play"});
    EXPECT_NE(std::find_if(played.begin(), played.end(),
                           [](const std::string& l) { return l.rfind("play sounds/metrfire.wav loop=1", 0) == 0; }),
              played.end())
        << "the fire loops";
  }
}

// One shot destroys one meteor: the earliest dropped that is still in the
// air within 250 of the ship. A burning meteor can no longer be shot.
TEST(MeteorShower, AShotDestroysTheEarliestMeteorInTheAirWithinReach) {
  RoundRig rig("300 down LCONTROL\n350 up LCONTROL\n500 down LMENU\n550 up LMENU");
  rig.SetUpMeteors();
  MeteorShowerState& shower = rig.game.meteorShower;
  Meteor& burning = rig.DropMeteorAt(0, 5000, 6900);
  burning.Landed = burning.Burning = burning.Resolved = true;
  rig.DropMeteorAt(1, 4749, 3000);  // out of reach
  rig.DropMeteorAt(2, 5250, 3000);
  rig.DropMeteorAt(3, 5000, 3000);
  rig.Passes(400, [&] { MeteorControls(rig.game); });
  EXPECT_FALSE(shower.meteors[2].Active);
  EXPECT_TRUE(shower.meteors[3].Active) << "one meteor per shot";
  EXPECT_EQ(shower.MeteorsShot, 1);
  rig.Passes(700, [&] { MeteorControls(rig.game); });
  EXPECT_FALSE(shower.meteors[3].Active) << "the side-laser action shoots straight up";
  EXPECT_TRUE(shower.meteors[1].Active);
  EXPECT_TRUE(shower.meteors[0].Active) << "the burning crater was not hit";
  EXPECT_EQ(shower.MeteorsShot, 2);
  EXPECT_EQ(rig.Plays("sounds/explode.wav"), 2);
  EXPECT_EQ(rig.game.state.Score, 0) << "meteors shot are paid at the tally";
}

// Standing by a burning crater costs 20 of the round's energy each time the
// alert starts again; the ship's own energy is never touched. At 20 or less
// a strike ends the round; below 40 the game warns.
TEST(MeteorShower, ABurningCraterHurtsOncePerAlert) {
  const struct {
    uint8_t energy;
    uint8_t after;
    bool warned;
    bool ends;
  } cases[] = {{100, 80, false, false}, {60, 40, false, false}, {59, 39, true, false},
               {21, 1, true, false},    {20, 20, false, true},  {1, 1, false, true}};
  for (const auto& c : cases) {
    RoundRig rig;
    rig.SetUpMeteors();
    MeteorShowerState& shower = rig.game.meteorShower;
    shower.RoundEnergy = c.energy;
    Meteor& crater = rig.DropMeteorAt(0, 5250, 6900);
    crater.Landed = crater.Burning = crater.Resolved = true;
    MeteorStrike(rig.game);
    EXPECT_EQ(shower.RoundEnergy, c.after) << int{c.energy};
    EXPECT_EQ(rig.Plays("sounds/d_destr.wav"), c.warned ? 1 : 0) << int{c.energy};
    EXPECT_EQ(rig.Plays("sounds/d_energy.wav"), c.ends ? 1 : 0) << int{c.energy};
    EXPECT_EQ(rig.Plays("sounds/d_wavcom.wav"), c.ends ? 1 : 0) << int{c.energy};
    EXPECT_EQ(rig.game.state.GameActive, !c.ends) << int{c.energy};
    EXPECT_EQ(rig.game.state.Energy, 100) << int{c.energy};
    if (c.ends) rig.ExpectRoundSilent("energy " + std::to_string(c.energy));
  }
}

TEST(MeteorShower, StandingOnABurningCraterCosts20EachTimeTheAlertRestarts) {
  SimOptions options;
  options.lengths = {{"sounds/alert.wav", 300}};
  RoundRig rig("", options);
  rig.SetUpMeteors();
  MeteorShowerState& shower = rig.game.meteorShower;
  shower.RoundEnergy = 100;
  rig.DropMeteorAt(0, 2000, 6900);  // a crater far away that has burnt out
  shower.meteors[0].Landed = shower.meteors[0].Burning = shower.meteors[0].BurntOut = true;
  Meteor& crater = rig.DropMeteorAt(1, 4800, 6900);
  crater.Landed = crater.Burning = crater.Resolved = true;
  rig.Passes(1000, [&] { MeteorStrike(rig.game); });
  const auto alerts = rig.Times("play", "sounds/alert.wav");
  ASSERT_EQ(alerts.size(), 4u);
  for (size_t i = 1; i < alerts.size(); ++i) EXPECT_NEAR(alerts[i] - alerts[i - 1], 300, 1);
  EXPECT_EQ(shower.RoundEnergy, 20);
  // A step out of reach ends the harm.
  rig.game.state.ShipX = 5051;
  rig.Passes(2000, [&] { MeteorStrike(rig.game); });
  EXPECT_EQ(shower.RoundEnergy, 20);
}

// With all thirty meteors resolved nothing ends the round until the laser is
// pressed; that press ends it with the tally, which pays 10000 a meteor shot.
TEST(MeteorShowerRound, EndsAtTheFirstLaserPressAfterEveryMeteorIsResolved) {
  SimOptions options;
  options.lengths = {{"sounds/mexpshrt.wav", 50}};
  RoundRig rig("5000 down LCONTROL\n5050 up LCONTROL", options);
  rig.game.state.Difficulty = 2;
  SetUpMeteorShower(rig.game);
  MeteorShowerState& shower = rig.game.meteorShower;
  shower.MeteorCount = 30;
  shower.MeteorsShot = 3;
  for (Meteor& meteor : shower.meteors) meteor.Resolved = true;
  rig.ClearLog();
  MeteorShowerRound(rig.game);
  const auto tally = rig.Times("play", "sounds/d_wavcom.wav");
  ASSERT_EQ(tally.size(), 1u);
  EXPECT_GT(tally[0], 5000 + 2000);
  EXPECT_EQ(rig.Times("play", "sounds/laser.wav").size(), 1u);
  EXPECT_EQ(rig.Plays("sounds/d_meshot.wav"), 1);
  EXPECT_EQ(rig.Plays("sounds/mexpshrt.wav"), 3);
  EXPECT_EQ(rig.game.state.Score, 3 * 10000 * 2);
  rig.ExpectRoundSilent("tallied");
}

}  // namespace
}  // namespace sb
