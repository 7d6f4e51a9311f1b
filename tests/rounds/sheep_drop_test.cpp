#include "rounds/sheep_drop.h"

#include <gtest/gtest.h>

#include "rounds/round_rig.h"

namespace sb {
namespace {

using test::RoundRig;
using Strings = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Shots and the beam

// Under the ship: a landed sheep, a clone at the edge of reach, a sheep right
// below and a clone just out of reach.
void PlaceFourObjects(RoundRig& rig) {
  rig.Drop(0, 5000, 6850, false).Landed = true;
  rig.Drop(1, 5360, 3000, true);
  rig.Drop(2, 5000, 3000, false);
  rig.Drop(3, 4639, 3000, true);
}

TEST(SheepDrop, AShotHitsTheEarlierObjectAndTheBeamCatchesEveryOneInReach) {
  struct Case {
    const char* name;
    bool beam;
    std::array<bool, 4> resolved;
    int16_t clonesShot;
    uint8_t clonesCaught;
    int16_t sheepSaved;
    Strings heard;
  };
  const Case cases[] = {
      {"one shot", false, {false, true, false, false}, 1, 0, 0, {"sounds/laser.wav", "sounds/explode.wav"}},
      {"the beam", true, {false, true, true, false}, 0, 1, 1,
       {"sounds/tractor.wav", "sounds/explode.wav", "sounds/shpsuck.wav"}},
  };
  for (const Case& c : cases) {
    RoundRig rig(c.beam ? "" : "300 down LCONTROL");
    rig.SetUpSheep();
    PlaceFourObjects(rig);
    SheepDropState& drop = rig.game.sheepDrop;
    rig.ClearLog();
    if (c.beam) {
      SwitchTractorOn(drop.common.tractor);
      TractorBeam(rig.game);
      EXPECT_FALSE(drop.common.tractor.Active) << c.name << ": a catch switches the beam off";
    } else {
      rig.Passes(400, [&] { SheepDropControls(rig.game); });
    }
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(drop.objects[i].Resolved, c.resolved[i]) << c.name << " record " << i;
    EXPECT_EQ(drop.ClonesShot, c.clonesShot) << c.name;
    EXPECT_EQ(drop.ClonesCaught, c.clonesCaught) << c.name;
    EXPECT_EQ(drop.SheepSaved, c.sheepSaved) << c.name;
    EXPECT_EQ(rig.Played(), c.heard) << c.name;
    EXPECT_TRUE(rig.game.state.GameActive) << c.name;
    EXPECT_EQ(rig.game.state.Score, 0) << c.name << ": shots and catches are paid at the tally";
  }
}

// Every hit on the cargo ship pays at once, whether the laser or the side
// laser is pressed (it fires straight here); a press within 100 ms of the last
// shot is used up.
TEST(SheepDrop, EveryHitOnTheCargoShipPays2500) {
  const struct {
    int16_t cargoX;
    int32_t score;
  } cases[] = {{5435, 3 * 2500 * 2}, {4565, 3 * 2500 * 2}, {5436, 0}};
  for (const auto& c : cases) {
    RoundRig rig("300 down LCONTROL\n350 up LCONTROL\n380 down LCONTROL\n430 up LCONTROL\n"
                 "600 down LMENU\n650 up LMENU\n800 down LCONTROL\n850 up LCONTROL");
    rig.game.state.Difficulty = 2;
    rig.SetUpSheep();
    rig.game.sheepDrop.CargoShipX = c.cargoX;
    rig.Passes(1000, [&] { SheepDropControls(rig.game); });
    EXPECT_EQ(rig.game.state.Score, c.score) << c.cargoX;
    EXPECT_EQ(rig.Plays("sounds/laser.wav"), 3) << c.cargoX;
  }
}

// ---------------------------------------------------------------------------
// The ends of the round

struct EndCase {
  const char* name;
  int16_t lostBefore;  // sheep landed or shot before
  bool shot;           // the sheep is shot instead of landing
  bool ends;
};

// The fourth sheep lost ends the round; its tally still pays the clones shot
// and the sheep saved so far, each count quicker and higher tick by tick.
TEST(SheepDrop, TheFourthSheepLostEndsTheRoundWithATallyThatPays) {
  const EndCase cases[] = {
      {"third sheep landed", 2, false, false},
      {"fourth sheep landed", 3, false, true},
      {"fourth sheep shot", 3, true, true},
  };
  for (const EndCase& c : cases) {
    SimOptions options;
    options.lengths = {{"sounds/boncount.wav", 50}, {"sounds/shpscfst.wav", 50}};
    RoundRig rig(c.shot ? "300 down LCONTROL" : "", options);
    rig.game.state.Difficulty = 2;
    rig.SetUpSheep();
    SheepDropState& drop = rig.game.sheepDrop;
    drop.ClonesShot = 2;
    drop.SheepSaved = 1;
    (c.shot ? drop.SheepShot : drop.SheepLanded) = c.lostBefore;
    rig.Drop(0, 5000, c.shot ? 3000 : 6840, false);
    rig.Passes(1000, [&] {
      if (c.shot) SheepDropControls(rig.game);
      UpdateFallingObject(rig.game);
    });
    EXPECT_EQ(rig.game.state.GameActive, !c.ends) << c.name;
    if (!c.ends) {
      EXPECT_EQ(drop.SheepLanded, c.lostBefore + 1) << c.name;
      continue;
    }
    EXPECT_EQ(rig.game.state.Score, (2 * 1000 + 10000) * 2) << c.name;
    const Strings prompts = {"sounds/d_wavcom.wav", "sounds/d_clshot.wav", "sounds/d_shpsav.wav",
                             "sounds/shpscore.wav"};
    Strings heard;
    for (const std::string& line : rig.Lines({"play"})) {
      for (const char* sound : {"sounds/d_", "sounds/shpscore", "sounds/boncount", "sounds/shpscfst"}) {
        if (line.find(sound) != std::string::npos) heard.push_back(line.substr(5, line.find(' ', 5) - 5));
      }
    }
    EXPECT_EQ(heard, (Strings{"sounds/d_wavcom.wav", "sounds/d_clshot.wav", "sounds/boncount.wav",
                              "sounds/boncount.wav", "sounds/d_shpsav.wav", "sounds/shpscfst.wav",
                              "sounds/shpscore.wav"}))
        << c.name;
    const auto ticks = rig.Times("play", "sounds/boncount.wav");
    ASSERT_EQ(ticks.size(), 2u) << c.name;
    EXPECT_EQ(ticks[1] - ticks[0], 196) << c.name << ": the second tick more than 195 ms after the first";
    const Strings counted = rig.Lines({"freq"});
    EXPECT_NE(std::find(counted.begin(), counted.end(), "freq sounds/boncount.wav freq=46100"), counted.end())
        << c.name;
    rig.ExpectRoundSilent(c.name);
  }
}

// The fourth clone caught earns a warning; the fifth ends the round once its
// explosion has been heard to the end.
TEST(SheepDrop, TheFifthCloneCaughtEndsTheRoundAfterItsExplosion) {
  for (const uint8_t caughtBefore : {3, 4}) {
    SimOptions options;
    options.lengths = {{"sounds/explode.wav", 800}};
    RoundRig rig("", options);
    rig.SetUpSheep();
    SheepDropState& drop = rig.game.sheepDrop;
    drop.ClonesCaught = caughtBefore;
    rig.Drop(0, 5000, 3000, true);
    SwitchTractorOn(drop.common.tractor);
    const int32_t caughtAt = rig.host.Ticks();
    TractorBeam(rig.game);
    const bool ends = caughtBefore == 4;
    EXPECT_EQ(rig.game.state.GameActive, !ends) << int{caughtBefore};
    EXPECT_EQ(rig.Plays("sounds/d_destr.wav"), ends ? 0 : 1) << int{caughtBefore};
    if (!ends) continue;
    const auto tally = rig.Times("play", "sounds/d_wavcom.wav");
    ASSERT_EQ(tally.size(), 1u);
    EXPECT_GT(tally[0], caughtAt + 800 + 2000) << "the explosion, then the tally's pause";
    EXPECT_EQ(rig.game.state.Score, 0) << "clones caught pay nothing";
  }
}

// The pass after the thirtieth drop ends the round, whatever still falls.
TEST(SheepDrop, ThePassAfterTheThirtiethDropEndsTheRound) {
  RoundRig rig;
  rig.SetUpSheep();
  SheepDropState& drop = rig.game.sheepDrop;
  for (uint8_t i = 0; i < 29; ++i) drop.objects[i].Resolved = true;
  drop.DropCount = 29;
  drop.DropTick = -5000;
  drop.CargoShipX = 3000;
  // Drops are random: passes go on until the thirtieth has fallen.
  rig.Passes(60000, [&] {
    if (drop.DropCount < 30) DropSheepOrClone(rig.game);
  });
  ASSERT_EQ(drop.DropCount, 30);
  EXPECT_TRUE(rig.game.state.GameActive);
  EXPECT_TRUE(drop.objects[29].Active) << "the last object is still falling";
  DropSheepOrClone(rig.game);
  EXPECT_FALSE(rig.game.state.GameActive);
  EXPECT_EQ(rig.Plays("sounds/d_wavcom.wav"), 1);
}

// ---------------------------------------------------------------------------
// The round's loop

// The cargo ship turns at either end, standing still for the step in which
// it turns; the first time it passes mid-field moving right the drops begin.
TEST(SheepDrop, TheCargoShipCrossesTheSkyAndStartsTheDropsAtMidField) {
  const struct {
    int16_t x;
    bool left;
    bool enabled;
    int16_t xAfter;
    bool leftAfter;
    bool enabledAfter;
  } cases[] = {
      {4750, false, false, 4800, false, false}, {4800, false, false, 4850, false, true},
      {4800, true, false, 4750, true, false},   {9200, false, true, 9250, false, true},
      {9250, false, true, 9250, true, true},    {150, true, true, 100, true, true},
      {100, true, true, 100, false, true},
  };
  for (const auto& c : cases) {
    RoundRig rig;
    rig.SetUpSheep();
    SheepDropState& drop = rig.game.sheepDrop;
    drop.CargoShipX = c.x;
    drop.CargoShipLeft = c.left;
    drop.DropsEnabled = c.enabled;
    rig.game.state.ShipX = 3000;
    rig.Passes(26, [&] { MoveCargoShip(rig.game); });
    EXPECT_EQ(drop.CargoShipX, c.xAfter) << c.x << (c.left ? " left" : " right");
    EXPECT_EQ(drop.CargoShipLeft, c.leftAfter) << c.x << (c.left ? " left" : " right");
    EXPECT_EQ(drop.DropsEnabled, c.enabledAfter) << c.x << (c.left ? " left" : " right");
    EXPECT_EQ(drop.cargoShip.Pan(), c.xAfter - 3000) << c.x;
  }
}

// The round opens with the cargo ship's engine; the ship's place and the
// start of the drops outlive the round, so the next one drops at once.
TEST(SheepDropRound, TheNextRoundFliesOnFromWhereTheLastOneLeftOff) {
  RoundRig rig("8000 down ESCAPE\n8050 up ESCAPE");
  SheepDropRound(rig.game);
  const Strings played = rig.Lines({"play"});
  ASSERT_FALSE(played.empty());
  EXPECT_EQ(played[0].substr(0, 31), "play sounds/cargship.wav loop=1");
  const SheepDropState& drop = rig.game.sheepDrop;
  EXPECT_TRUE(drop.DropsEnabled);
  const int16_t leftAt = drop.CargoShipX;
  EXPECT_GT(leftAt, 100);
  SetUpSheepDrop(rig.game);
  EXPECT_EQ(drop.CargoShipX, leftAt);
  EXPECT_TRUE(drop.DropsEnabled);
  EXPECT_EQ(drop.DropCount, 0);
  ReleaseSheepDrop(rig.game);
}

}  // namespace
}  // namespace sb
