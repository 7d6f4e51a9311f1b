#include "player/weapons.h"

#include <gtest/gtest.h>

#include <optional>

#include "game/scoring.h"
#include "player/player_rig.h"

namespace sb {
namespace {

using test::AlienSpot;
using test::PlayerRig;

// ---------------------------------------------------------------------------
// Lasers

TEST(FireLasers, OneVolleyPerPressAtMostEveryHundredMsAndRapidFireWhileItLasts) {
  struct Case {
    const char* name;
    const char* script;
    bool rapid;
    int32_t rapidTime;
    std::vector<int32_t> volleys;
  };
  const Case cases[] = {
      {"held", "200 down LCONTROL\n700 up LCONTROL", false, 0, {200}},
      {"pressed twice within 100 ms", "200 tap LCONTROL\n260 tap LCONTROL", false, 0, {200}},
      {"pressed twice 150 ms apart", "200 tap LCONTROL\n350 tap LCONTROL", false, 0, {200, 350}},
      {"rapid fire held", "200 down LCONTROL\n700 up LCONTROL", true, 10000, {200, 301, 402, 503, 604}},
      // 350 pays for the drain at 201; the 150 left at 402 is too little.
      {"rapid fire running out", "200 down LCONTROL\n900 up LCONTROL", true, 350, {200, 301, 402}},
  };
  for (const Case& c : cases) {
    PlayerRig rig(c.script);
    rig.game.state.RapidActive = c.rapid;
    rig.game.state.RapidTime = c.rapidTime;
    rig.RunUntil(1000);
    EXPECT_EQ(rig.Times("play", "sounds/laser.wav"), c.volleys) << c.name;
    EXPECT_EQ(rig.Plays("sounds/laser_l.wav") + rig.Plays("sounds/laser_r.wav"), 0) << c.name;
  }
  PlayerRig rig("200 down LCONTROL\n900 up LCONTROL");
  rig.game.state.RapidActive = true;
  rig.game.state.RapidTime = 350;
  rig.RunUntil(1000);
  EXPECT_FALSE(rig.game.state.RapidActive);
}

// With the side-laser action (Alt) held, each press of a direction fires that
// side once; the main laser stays quiet.
TEST(FireLasers, SideLasersFireTowardTheDirectionsPressed) {
  struct Case {
    const char* name;
    const char* script;
    bool rapid;
    std::vector<int32_t> left;
    std::vector<int32_t> right;
  };
  const Case cases[] = {
      {"left held", "200 down LMENU\n200 down LEFT\n800 up LEFT\n800 up LMENU", false, {200}, {}},
      // Held, the side laser rearms every 101 ms whether it fired or not: 301, 402 ...
      {"left pressed twice", "200 down LMENU\n200 tap LEFT\n400 tap LEFT\n800 up LMENU", false, {200, 402}, {}},
      {"both sides at once", "200 down LMENU\n200 down LEFT\n200 down RIGHT\n800 up LMENU", false, {200}, {200}},
      {"with the laser key too", "200 down LMENU\n200 down LCONTROL\n250 down RIGHT\n350 up RIGHT\n800 up LMENU",
       false, {}, {301}},
      {"rapid fire", "200 down LMENU\n200 down RIGHT\n500 up RIGHT\n800 up LMENU", true, {}, {200, 301, 402}},
  };
  for (const Case& c : cases) {
    PlayerRig rig(c.script);
    rig.game.state.RapidActive = c.rapid;
    rig.game.state.RapidTime = 10000;
    rig.RunUntil(900);
    EXPECT_EQ(rig.Times("play", "sounds/laser_l.wav"), c.left) << c.name;
    EXPECT_EQ(rig.Times("play", "sounds/laser_r.wav"), c.right) << c.name;
    EXPECT_EQ(rig.Plays("sounds/laser.wav"), 0) << c.name;
  }
}

TEST(FireLasers, TheMainLaserAsksEveryColourOfTheWaveAndTheSaucer) {
  PlayerRig rig("200 tap LCONTROL");
  rig.PlaceAliens({{Colour::Green, 5000, 1000}, {Colour::Violet, 5300, 3000}, {Colour::Cyan, 7000, 3000}});
  rig.game.saucer.SaucerEnabled = true;
  rig.game.saucer.SaucerPresent = true;
  rig.game.saucer.SaucerX = 4900;
  rig.RunUntil(300);
  EXPECT_TRUE(rig.Alien(Colour::Green, 0).Destroyed);
  EXPECT_TRUE(rig.Alien(Colour::Violet, 0).Destroyed);
  EXPECT_TRUE(rig.Alien(Colour::Cyan, 0).Active) << "out of the laser's reach";
  EXPECT_FALSE(rig.game.saucer.SaucerPresent);
}

// Each side laser asks for the landed aliens on its own side only.
TEST(FireLasers, ASideLaserStrikesTheLandedAliensOnItsSide) {
  std::string script = "100 down LMENU\n";
  for (int shot = 0; shot < 4; ++shot) script += std::to_string(200 + 200 * shot) + " tap LEFT\n";
  PlayerRig rig(script);
  rig.PlaceAliens({{Colour::Red, 3000, 6850, true}, {Colour::Red, 7000, 6850, true}});
  rig.RunUntil(1000);
  EXPECT_EQ(rig.Plays("sounds/laser_l.wav"), 4);
  EXPECT_TRUE(rig.Alien(Colour::Red, 0).Destroyed);
  EXPECT_TRUE(rig.Alien(Colour::Red, 1).Active);
  EXPECT_EQ(rig.Alien(Colour::Red, 1).HitCount, 0);
}

// ---------------------------------------------------------------------------
// Missiles

TEST(Missiles, AMissileAtAnAlienThreeThousandUnitsAwayStrikesAfterOneSecond) {
  PlayerRig rig("200 tap SPACE");
  rig.PlaceAliens({{Colour::Green, 5000, 3850}});  // straight above the ship (5000, 6850)
  rig.RunUntil(1200);
  EXPECT_EQ(rig.game.state.MissilesSpent, 1);
  EXPECT_EQ(rig.Times("play", "sounds/launch.wav"), std::vector<int32_t>{200});
  EXPECT_TRUE(rig.Alien(Colour::Green, 0).Active) << "1000 ms are not yet more than the flight time";
  rig.Alien(Colour::Green, 0).X = 9000;  // it flies on; the missile goes where it was
  rig.game.state.ShipX = 4000;
  rig.RunUntil(1202);
  const AlienRecord& alien = rig.Alien(Colour::Green, 0);
  EXPECT_FALSE(alien.Active);
  EXPECT_TRUE(alien.Destroyed);
  EXPECT_FALSE(alien.Voice.IsPlaying());
  EXPECT_FALSE(rig.game.weapons.missiles[0].Active);
  EXPECT_EQ(rig.Times("play", "sounds/missexpl.wav"), std::vector<int32_t>{1201});
  // Heard where the alien was at launch: 1000 right of the ship, at the volume of its height.
  EXPECT_EQ(rig.game.sounds.missileExplosion[0].Pan(), 1000);
  EXPECT_EQ(rig.game.sounds.missileExplosion[0].Volume(), VolumeForHeight(rig.game, 3850));
  EXPECT_EQ(rig.game.state.Score, 0) << "a missile kill pays nothing";
}

// The nearest released, active alien within range; a tie goes to the earlier
// colour of blue, green, red ... and within a colour to the lower index.
TEST(Missiles, TargetTheNearestAlienWithTiesToTheEarlierColourAndIndex) {
  struct Target {
    Colour colour;
    uint8_t index;
    int32_t flightTime;
  };
  struct Case {
    const char* name;
    int16_t shipX;
    std::vector<AlienSpot> aliens;
    std::optional<Target> target;
  };
  const Case cases[] = {
      {"no alien", 5000, {}, std::nullopt},
      {"only destroyed aliens", 5000, {{Colour::Green, 5000, 3850, false, false}}, std::nullopt},
      {"out of range", 100, {{Colour::Green, 9500, 180}}, std::nullopt},  // 11526 away
      {"just in range", 100, {{Colour::Green, 9500, 6850}}, Target{Colour::Green, 0, 3133}},
      {"the nearest colour", 5000, {{Colour::Green, 5000, 3850}, {Colour::Orange, 5000, 4850}},
       Target{Colour::Orange, 0, 667}},
      {"tie: blue before green", 5000, {{Colour::Green, 4000, 5850}, {Colour::Blue, 6000, 5850}},
       Target{Colour::Blue, 0, 471}},
      {"tie: green before red", 5000, {{Colour::Red, 5000, 5850}, {Colour::Green, 5000, 5850}},
       Target{Colour::Green, 0, 333}},
      {"tie: lower index", 5000, {{Colour::Cyan, 4000, 5850}, {Colour::Cyan, 6000, 5850}}, Target{Colour::Cyan, 0, 471}},
      {"a later one nearer", 5000, {{Colour::Cyan, 4000, 5850}, {Colour::Cyan, 6000, 5900}},
       Target{Colour::Cyan, 1, 460}},
      {"landed aliens too", 5000, {{Colour::Silver, 5500, 6850, true}}, Target{Colour::Silver, 0, 167}},
  };
  for (const Case& c : cases) {
    PlayerRig rig;
    rig.game.state.ShipX = c.shipX;
    rig.PlaceAliens(c.aliens);
    EXPECT_EQ(LaunchMissile(rig.game, 4), c.target.has_value()) << c.name;
    const MissileSlot& missile = rig.game.weapons.missiles[4];
    EXPECT_EQ(missile.Active, c.target.has_value()) << c.name;
    if (!c.target) continue;
    EXPECT_EQ(missile.TargetColour, c.target->colour) << c.name;
    EXPECT_EQ(missile.TargetIndex, c.target->index) << c.name;
    EXPECT_EQ(missile.FlightTime, c.target->flightTime) << c.name;
  }
}

TEST(Missiles, AnAlienNotYetReleasedIsNoTarget) {
  PlayerRig rig;
  rig.PlaceAliens({{Colour::Green, 5000, 3850}, {Colour::Green, 5000, 5850}});
  rig.game.aliens[Colour::Green].Spawned = 1;  // the nearer one is not out yet
  ASSERT_TRUE(LaunchMissile(rig.game, 0));
  EXPECT_EQ(rig.game.weapons.missiles[0].TargetIndex, 0);
}

// Ten missiles for the whole game; a press without a target costs nothing.
TEST(Missiles, TenMissilesThenEveryPressIsRefused) {
  std::string script;
  for (int press = 0; press < 12; ++press) script += std::to_string(200 + 60 * press) + " tap SPACE\n";
  PlayerRig rig(script);
  rig.PlaceAliens({{Colour::Blue, 5000, 180}});
  rig.RunUntil(950);
  EXPECT_EQ(rig.game.state.MissilesSpent, 10);
  EXPECT_EQ(rig.Plays("sounds/launch.wav"), 10);
  EXPECT_EQ(rig.Times("play", "sounds/invalid.wav"), (std::vector<int32_t>{800, 860}));
  for (const MissileSlot& missile : rig.game.weapons.missiles) EXPECT_TRUE(missile.Active);
  // All ten strike, the later ones where the first already destroyed it.
  rig.RunUntil(3300);
  EXPECT_EQ(rig.Plays("sounds/missexpl.wav"), 10);
  EXPECT_TRUE(rig.Alien(Colour::Blue, 0).Destroyed);
}

TEST(Missiles, APressWithNothingToAimAtIsRefusedAndSpendsNothing) {
  PlayerRig rig("200 tap SPACE");
  rig.PlaceAliens({{Colour::Green, 5000, 3850, false, false}});
  rig.RunUntil(300);
  EXPECT_EQ(rig.game.state.MissilesSpent, 0);
  EXPECT_EQ(rig.Played(), std::vector<std::string>{"sounds/invalid.wav"});
}

TEST(Missiles, AMissileInFlightWhenItsWaveEndsIsDiscarded) {
  PlayerRig rig("200 tap SPACE");
  rig.PlaceAliens({{Colour::Green, 5000, 3850}});
  rig.RunUntil(300);
  DiscardMissiles(rig.game);
  rig.PlaceAliens({{Colour::Red, 5000, 3850}});  // the next wave's arrays
  rig.RunUntil(2000);
  EXPECT_EQ(rig.Plays("sounds/missexpl.wav"), 0);
  EXPECT_TRUE(rig.Alien(Colour::Red, 0).Active);
  EXPECT_EQ(rig.game.state.MissilesSpent, 1) << "a discarded missile is still spent";
  ResetGameState(rig.game);
  EXPECT_EQ(rig.game.state.MissilesSpent, 0) << "a new game has all ten";
}

// ---------------------------------------------------------------------------
// Shields, nukes and vapor

// A shield is up as long as its sound plays (500 ms here); a press while one
// is up is used up, and an empty stock refuses.
TEST(Shields, OneShieldPerPressWhileNoneIsUp) {
  PlayerRig rig("200 tap UP\n400 tap UP\n800 tap UP\n1400 tap UP");
  rig.game.state.Shields = 2;
  rig.RunUntil(500);
  EXPECT_TRUE(rig.game.state.ShieldActive);
  EXPECT_EQ(rig.game.state.Shields, 1);
  rig.RunUntil(1500);
  EXPECT_EQ(rig.Times("play", "sounds/shield.wav"), (std::vector<int32_t>{200, 800}));
  EXPECT_EQ(rig.Times("play", "sounds/invalid.wav"), std::vector<int32_t>{1400});
  EXPECT_EQ(rig.game.state.Shields, 0);
}

// A shield that was cut off (a game ended under it) lasts its whole sound next time.
TEST(Shields, AShieldAlwaysLastsItsWholeSound) {
  PlayerRig rig("200 tap UP\n1000 tap UP");
  rig.game.state.Shields = 2;
  rig.RunUntil(400);
  StopSound(rig.game.sounds.shield);
  rig.game.state.ShieldActive = false;
  rig.RunUntil(1499);
  EXPECT_TRUE(rig.game.state.ShieldActive);
  rig.RunUntil(1510);
  EXPECT_FALSE(rig.game.state.ShieldActive);
}

TEST(Nukes, TheLastNukeClearsEveryAlienAndLeavesNoneToUse) {
  PlayerRig rig("200 tap RETURN\n1000 tap RETURN");
  rig.game.state.HasNukes = true;
  rig.game.state.Nukes = 1;
  rig.PlaceAliens({{Colour::Green, 3000, 1000},
                   {Colour::Red, 6000, 6850, true},
                   {Colour::Red, 7000, 2000, false, false}});
  rig.RunUntil(300);
  EXPECT_EQ(rig.game.state.Nukes, 0);
  EXPECT_FALSE(rig.game.state.HasNukes);
  EXPECT_TRUE(rig.game.state.NukePending);
  EXPECT_TRUE(rig.Alien(Colour::Green, 0).Active) << "it goes off when the warm-up ends";
  rig.RunUntil(1100);
  EXPECT_FALSE(rig.game.state.NukePending);
  EXPECT_EQ(rig.Times("play", "sounds/nukeup.wav"), std::vector<int32_t>{200});
  EXPECT_EQ(rig.Times("play", "sounds/nuke.wav"), std::vector<int32_t>{700});
  EXPECT_EQ(rig.Times("play", "sounds/invalid.wav"), std::vector<int32_t>{1000});
  struct Expect {
    Colour colour;
    size_t index;
    int32_t volume;  // Y x 0.22 - 1525
  };
  for (const Expect& e : {Expect{Colour::Green, 0, -1305}, Expect{Colour::Red, 0, -18}}) {
    const AlienRecord& alien = rig.Alien(e.colour, e.index);
    EXPECT_FALSE(alien.Active);
    EXPECT_TRUE(alien.Destroyed);
    EXPECT_EQ(alien.Voice.Name(), "sounds/explode.wav");
    EXPECT_EQ(alien.Voice.Volume(), e.volume);
  }
  EXPECT_FALSE(rig.Alien(Colour::Red, 1).Destroyed) << "an alien already gone is left alone";
}

TEST(Nukes, OnePressIsOneNuke) {
  struct Case {
    const char* name;
    const char* script;
    bool enterLatched;  // the menu that started the game acted on Enter
    std::vector<int32_t> warmUps;
  };
  const Case cases[] = {
      {"held through the warm-up", "200 down RETURN\n2000 up RETURN", false, {200}},
      {"pressed again while it warms up", "200 tap RETURN\n400 tap RETURN", false, {200}},
      {"the menu's Enter still held", "0 down RETURN\n300 up RETURN\n800 tap RETURN", true, {800}},
  };
  for (const Case& c : cases) {
    PlayerRig rig(c.script);
    rig.game.state.HasNukes = true;
    rig.game.state.Nukes = 5;
    if (c.enterLatched) {
      rig.game.input.keys[dik::RETURN] = 0x80;
      rig.game.input.keyLatch[dik::RETURN] = true;
      rig.game.input.actions[kUseNuke].active = true;
    }
    rig.RunUntil(2100);
    EXPECT_EQ(rig.Times("play", "sounds/nukeup.wav"), c.warmUps) << c.name;
    EXPECT_EQ(rig.game.state.Nukes, 5 - c.warmUps.size()) << c.name;
    EXPECT_EQ(rig.Plays("sounds/invalid.wav"), 0) << c.name;
  }
}

TEST(Vapor, AHeldVaporAsksForOneReleaseAtATimeAndDestroysOnlyLandedAliens) {
  PlayerRig rig("200 down TAB\n300 up TAB");
  rig.game.state.Vapors = 2;
  rig.PlaceAliens({{Colour::Violet, 3000, 6850, true}, {Colour::Violet, 5000, 3000}});
  rig.RunUntil(400);
  EXPECT_TRUE(rig.game.state.VaporPending);
  EXPECT_EQ(rig.game.state.Vapors, 2) << "the charge is spent when the loop releases it";
  ReleaseVapor(rig.game);
  EXPECT_EQ(rig.Played(), (std::vector<std::string>{"sounds/nuke.wav", "sounds/explode.wav"}));
  EXPECT_TRUE(rig.Alien(Colour::Violet, 0).Destroyed);
  EXPECT_TRUE(rig.Alien(Colour::Violet, 1).Active);
}

TEST(Vapor, WithoutChargesTheRefusalStuttersWhileHeld) {
  PlayerRig rig("200 down TAB\n300 up TAB");
  rig.RunUntil(400);
  EXPECT_FALSE(rig.game.state.VaporPending);
  EXPECT_GT(rig.Plays("sounds/invalid.wav"), 50);
}

}  // namespace
}  // namespace sb
