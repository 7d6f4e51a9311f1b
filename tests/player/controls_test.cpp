#include "player/controls.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "rounds/boss.h"
#include "rounds/meteor_shower.h"
#include "rounds/round_rig.h"
#include "rounds/sheep_drop.h"

namespace sb {
namespace {

using Rig = test::RoundRig;

// Every scene's controls, each from its own set-up: the one routine with
// what each scene allows.
struct Scene {
  void (*controls)(Game&);
  void (*setUp)(Rig&);
  const char* name;
};

void NoSetUp(Rig&) {}
void SetUpSheep(Rig& rig) { rig.SetUpSheep(); }
void SetUpMeteors(Rig& rig) { rig.SetUpMeteors(); }
void SetUpTheBoss(Rig& rig) {
  SetUpBoss(rig.game);  // about a second of announcement and music
  rig.game.state.GameActive = true;
  rig.ClearLog();
}

constexpr Scene kWave{HandlePlayerControls, NoSetUp, "wave"};
constexpr Scene kSheepDrop{SheepDropControls, SetUpSheep, "sheep drop"};
constexpr Scene kMeteorShower{MeteorControls, SetUpMeteors, "meteor shower"};
constexpr Scene kBoss{BossControls, SetUpTheBoss, "boss"};

// Passes of the scene's controls alone until the clock reads `ms`.
void RunControls(Rig& rig, const Scene& scene, int32_t ms) {
  while (rig.host.Ticks() < ms && rig.game.state.GameActive) {
    rig.host.Yield();
    scene.controls(rig.game);
  }
}

size_t Count(const std::vector<std::string>& played, const std::string& file) {
  return static_cast<size_t>(std::count(played.begin(), played.end(), file));
}

// One shot per press, at most one every 100 ms, in every scene; the side
// lasers where the scene has them, elsewhere the side-laser action shoots
// straight.
TEST(PlayerControls, TheLaserGateIsOneForEveryScene) {
  struct Case {
    Scene scene;
    std::vector<int32_t> straight;  // with the laser: a tap, one 60 ms later, one held
    std::vector<int32_t> left;      // the side laser held from 3000, Left from 3150
  };
  const Case cases[] = {
      {kWave, {2000, 2200}, {3202}},
      {kSheepDrop, {2000, 2200, 3000}, {}},
      {kMeteorShower, {2000, 2200, 3000}, {}},
      {kBoss, {2000, 2200}, {3202}},
  };
  for (const Case& c : cases) {
    Rig rig(
        "2000 tap LCONTROL\n2060 tap LCONTROL\n2200 down LCONTROL\n2700 up LCONTROL\n"
        "3000 down LMENU\n3150 down LEFT\n3400 up LEFT\n3450 up LMENU");
    c.scene.setUp(rig);
    RunControls(rig, c.scene, 3500);
    EXPECT_EQ(rig.Times("play", "sounds/laser.wav"), c.straight) << c.scene.name;
    EXPECT_EQ(rig.Times("play", "sounds/laser_l.wav"), c.left) << c.scene.name;
  }
}

// What the scenes' keys do besides: the stock weapons and Q in a wave, the
// tractor in the special rounds, the round's own energy in the meteor shower.
TEST(PlayerControls, EachSceneAllowsItsOwnKeys) {
  struct Case {
    Scene scene;
    bool missile;   // Space is the missile: refused with nothing to aim at
    bool tractor;   // Space is the tractor beam
    bool saves;     // Q saves the game and leaves it
    const char* energy;
  };
  const Case cases[] = {
      {kWave, true, false, true, "sounds/numbers/30.wav"},
      {kSheepDrop, false, true, false, "sounds/numbers/30.wav"},
      {kMeteorShower, false, true, false, "sounds/numbers/20.wav"},
      {kBoss, false, false, false, "sounds/numbers/30.wav"},
  };
  for (const Case& c : cases) {
    Rig rig("2000 tap SPACE\n2500 tap END\n4000 tap Q");
    c.scene.setUp(rig);
    rig.game.state.Energy = 35;
    rig.game.meteorShower.RoundEnergy = 20;
    RunControls(rig, c.scene, 5000);
    const auto played = rig.Played();
    EXPECT_EQ(Count(played, "sounds/invalid.wav"), c.missile ? 1u : 0u) << c.scene.name;
    EXPECT_EQ(Count(played, "sounds/tractor.wav"), c.tractor ? 1u : 0u) << c.scene.name;
    EXPECT_EQ(rig.game.state.QuitToMenu, c.saves) << c.scene.name;
    EXPECT_EQ(Count(played, c.energy), 1u) << c.scene.name;
  }
}

// A shot that ends the scene ends the keys of its pass: the energy report
// pressed with the shot that loses the fourth sheep is not spoken after the
// tally.
TEST(PlayerControls, AShotThatEndsTheSceneEndsThePassKeys) {
  Rig rig("2000 down LCONTROL\n2000 down END\n2100 up LCONTROL\n2100 up END");
  rig.SetUpSheep();
  rig.game.state.Energy = 35;
  rig.game.sheepDrop.SheepShot = 3;  // the next sheep shot ends the round
  rig.Drop(0, rig.game.state.ShipX, 3000, false);
  RunControls(rig, kSheepDrop, 3000);
  const auto played = rig.Played();
  EXPECT_FALSE(rig.game.state.GameActive);
  EXPECT_EQ(Count(played, "sounds/d_wavcom.wav"), 1u) << "the round was tallied";
  EXPECT_EQ(Count(played, "sounds/numbers/30.wav"), 0u) << "no energy report after the tally";
}

// The shield is up as long as its sound plays, in every scene.
TEST(PlayerControls, TheShieldEndsWithItsSoundInEveryScene) {
  for (const Scene& scene : {kWave, kSheepDrop, kMeteorShower, kBoss}) {
    SimOptions options;
    options.lengths["sounds/shield.wav"] = 1000;
    Rig rig("2000 tap UP", options);
    scene.setUp(rig);
    rig.game.state.Shields = 1;
    RunControls(rig, scene, 2500);
    EXPECT_TRUE(rig.game.state.ShieldActive) << scene.name;
    RunControls(rig, scene, 3100);
    EXPECT_FALSE(rig.game.state.ShieldActive) << scene.name;
  }
}

}  // namespace
}  // namespace sb
