#include "player/ship.h"

#include <gtest/gtest.h>

#include "input/joystick.h"
#include "player/player_rig.h"

namespace sb {
namespace {

using test::PlayerRig;

// ---------------------------------------------------------------------------
// Movement and thrust

TEST(MoveShip, StepsFiftyUnitsEverySixteenMsWithItsThrustBehindIt) {
  struct Case {
    const char* name;
    const char* script;
    int16_t x;  // after the keys were let go
    std::vector<std::string> thrust;
  };
  // Held from 100 to 200 ms: steps at 112, 128 ... 192.
  const Case cases[] = {
      {"left", "100 down LEFT\n200 up LEFT", 4700,
       {"play sounds/thrburst.wav loop=0 vol=0 pan=400 freq=22050",
        "play sounds/thrcont.wav loop=1 vol=0 pan=400 freq=22050", "stop sounds/thrcont.wav",
        "play sounds/thrstop.wav loop=0 vol=0 pan=400 freq=22050"}},
      {"right", "100 down RIGHT\n200 up RIGHT", 5300,
       {"play sounds/thrburst.wav loop=0 vol=0 pan=-400 freq=22050",
        "play sounds/thrcont.wav loop=1 vol=0 pan=-400 freq=22050", "stop sounds/thrcont.wav",
        "play sounds/thrstop.wav loop=0 vol=0 pan=-400 freq=22050"}},
      // Both held: a step each way; then right alone. The loop runs on until both are let go.
      {"both", "100 down LEFT\n100 down RIGHT\n200 up LEFT\n300 up RIGHT", 5300,
       {"play sounds/thrburst.wav loop=0 vol=0 pan=400 freq=22050",
        "play sounds/thrcont.wav loop=1 vol=0 pan=400 freq=22050",
        "play sounds/thrstop.wav loop=0 vol=0 pan=400 freq=22050", "stop sounds/thrcont.wav"}},
  };
  for (const Case& c : cases) {
    PlayerRig rig(c.script);
    rig.RunUntil(400);
    EXPECT_EQ(rig.game.state.ShipX, c.x) << c.name;
    std::vector<std::string> thrust;
    for (const auto& line : rig.Lines({"play", "stop"})) {
      if (line.find("/thr") != std::string::npos) thrust.push_back(line);
    }
    EXPECT_EQ(thrust, c.thrust) << c.name;
    EXPECT_FALSE(rig.game.ship.ThrustLeft || rig.game.ship.ThrustRight) << c.name;
  }
}

TEST(MoveShip, NothingMovesOrSoundsWhenNoWaveIsPlayed) {
  PlayerRig rig("100 down LEFT\n100 down LCONTROL\n100 down DOWN");
  rig.game.state.GameActive = false;
  rig.RunUntil(300);
  EXPECT_EQ(rig.game.state.ShipX, 5000);
  EXPECT_TRUE(rig.Played().empty());
}

// Pushing into a wall crashes once; holding on does nothing more, and a new
// push crashes again only once the last crash has been heard to its end.
TEST(MoveShip, AWallCrashesOncePerPushAndNeverOverItsOwnSound) {
  struct Case {
    const char* key;
    int16_t start;
    int16_t wall;
    const char* pan;
  };
  const Case cases[] = {{"LEFT", 150, 100, "pan=-10000"}, {"RIGHT", 9450, 9500, "pan=10000"}};
  for (const Case& c : cases) {
    SimOptions options;
    for (int i = 1; i <= 7; ++i) options.lengths["sounds/hitside" + std::to_string(i) + ".wav"] = 300;
    const std::string k = c.key;
    // Pushes at 100 (crash at about 128, heard until 428), 300 (too soon), 500.
    PlayerRig rig("100 down " + k + "\n250 up " + k + "\n300 down " + k + "\n350 up " + k + "\n500 down " + k +
                      "\n600 up " + k,
                  options);
    rig.game.state.ShipX = c.start;
    std::vector<std::string> crashes;
    rig.RunUntil(250);
    EXPECT_EQ(rig.game.state.ShipX, c.wall) << c.key;
    EXPECT_TRUE(rig.game.state.EdgeBumped) << c.key;
    rig.RunUntil(700);
    for (const auto& line : rig.Lines({"play"})) {
      if (line.find("sounds/hitside") != std::string::npos) crashes.push_back(line);
    }
    ASSERT_EQ(crashes.size(), 2u) << c.key;
    for (const auto& crash : crashes) EXPECT_NE(crash.find(c.pan), std::string::npos) << crash;
    EXPECT_EQ(rig.game.state.ShipX, c.wall) << c.key;
    EXPECT_FALSE(rig.game.state.EdgeBumped) << c.key << ": let go, the ship may move again";
  }
}

// The night life beyond the walls: louder near a wall, unchanged in the middle.
TEST(MoveShip, TheEdgeAmbienceFollowsTheShipNearTheWalls) {
  struct Case {
    int16_t x;
    int32_t volume;
    int32_t pan;
  };
  const Case cases[] = {
      {100, -250, -50},     {1950, -4875, -975},   {1001, -2502, -500},  // halves go to even
      {2000, -10000, 0},    {6000, -10000, 0},                           // as the wave left it
      {6050, -8625, 1725},  {9500, 0, 0},
  };
  for (const Case& c : cases) {
    PlayerRig rig;
    rig.game.state.ShipX = c.x;
    rig.RunUntil(20);  // one movement interval, no key held
    EXPECT_EQ(rig.game.sounds.nightLife.Volume(), c.volume) << c.x;
    EXPECT_EQ(rig.game.sounds.nightLife.Pan(), c.pan) << c.x;
  }
}

// ---------------------------------------------------------------------------
// Turbo and the analog stick

TEST(UpdateTurbo, ShortensTheIntervalToFiveMsFromItsFirstDrainUntilUsedUp) {
  PlayerRig rig("100 down LSHIFT\n100 down RIGHT\n900 up RIGHT\n900 up LSHIFT");
  rig.game.state.ShipX = 1000;
  rig.game.state.TurboAvailable = true;
  rig.game.state.TurboTime = 300;
  // Engaged at 100, it drains 200 at 301 and gives its speed from then on;
  // at 502 it finds only 100 left and is used up.
  std::vector<int32_t> expected;
  for (int32_t t = 112; t <= 288; t += 16) expected.push_back(t);
  for (int32_t t = 301; t <= 499; t += 6) expected.push_back(t);
  for (int32_t t = 515; t < 900; t += 16) expected.push_back(t);
  EXPECT_EQ(rig.StepTimes(900), expected);
  EXPECT_FALSE(rig.game.state.TurboAvailable);
  EXPECT_FALSE(rig.game.state.TurboEngaged);
  EXPECT_EQ(rig.game.state.TurboTime, 0);
  EXPECT_EQ(rig.game.state.SpeedBonus, 0);
  EXPECT_EQ(rig.Lines({"play"}).front(), "play sounds/pwthrust.wav loop=0 vol=0 pan=400 freq=22050");
}

TEST(UpdateTurbo, DrainsTwoHundredPerTwoHundredMsHeldAndRestsWhenLetGo) {
  PlayerRig rig("100 down LSHIFT\n450 up LSHIFT\n600 down LSHIFT\n900 up LSHIFT");
  rig.game.state.TurboAvailable = true;
  rig.game.state.TurboTime = 4000;
  rig.RunUntil(300);
  EXPECT_EQ(rig.game.state.TurboTime, 4000);
  EXPECT_EQ(rig.game.state.SpeedBonus, 0) << "no speed before the first drain";
  rig.RunUntil(350);
  EXPECT_EQ(rig.game.state.TurboTime, 3800);
  EXPECT_EQ(rig.game.state.SpeedBonus, 10);
  rig.RunUntil(500);
  EXPECT_EQ(rig.game.state.SpeedBonus, 0);
  EXPECT_FALSE(rig.game.state.TurboEngaged);
  rig.RunUntil(1000);
  EXPECT_EQ(rig.game.state.TurboTime, 3600) << "drained at 301 and, pressed again, at 801";
  EXPECT_TRUE(rig.game.state.TurboAvailable);
}

TEST(UpdateTurbo, WithoutTurboSuperStuttersTheRefusalUnlessItIsTheStickPushedDown) {
  struct Case {
    uint8_t button;
    bool refused;
  };
  for (const Case c : {Case{kStickDown, false}, Case{9, true}}) {
    PlayerRig rig("100 down LSHIFT\n200 up LSHIFT");
    rig.game.input.actions[kSuper].button = c.button;
    rig.RunUntil(300);
    if (c.refused) {
      EXPECT_GT(rig.Plays("sounds/invalid.wav"), 50) << "restarted on every pass while held";
    } else {
      EXPECT_EQ(rig.Plays("sounds/invalid.wav"), 0);
    }
  }
}

// An analog stick shortens the interval by up to 10 ms, by how far it is pushed.
TEST(MoveShip, AnAnalogStickMovesTheShipFasterTheFurtherItIsPushed) {
  struct Case {
    uint8_t joystickMode;
    const char* push;  // raw stick position
    int32_t gap;       // ms between steps
  };
  const Case cases[] = {
      {1, "32767", 6},   // full right: deflection 10, interval 5
      {1, "-32768", 6},  // full left
      {1, "17203", 11},  // three quarters: deflection 5
      {0, "32767", 16},  // digital: the stick only says which way
  };
  for (const Case& c : cases) {
    SimOptions options;
    options.joysticks = 1;
    PlayerRig rig("100 axis X " + std::string(c.push) + "\n400 axis X 0", options);
    rig.game.player.controllerMode = 1;
    rig.game.player.joystickMode = c.joystickMode;
    EnumerateJoysticks(rig.game);
    SetUpJoystick(rig.game);
    const std::vector<int32_t> steps = rig.StepTimes(400);
    ASSERT_GT(steps.size(), 5u) << c.push;
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_EQ(steps[i] - steps[i - 1], c.gap) << c.push << " at " << steps[i];
  }
}

// ---------------------------------------------------------------------------
// Placement of every positioned sound

TEST(RepositionSounds, PlacesAliensPayloadAndMissileExplosionsAroundTheShip) {
  PlayerRig rig;
  rig.game.state.ShipX = 5000;
  rig.PlaceAliens({
      {Colour::Green, 6000, 1290},               // flying: by height
      {Colour::Green, 7000, 3000, false, false},  // destroyed: left alone
      {Colour::Red, 2001, 6850, true},            // landed: by distance, its action sound too
      {Colour::Yellow, 5600, 180},                // flying, with its action sound
  });
  LoadSound(rig.game, rig.game.saucer.PayloadSound, "sounds/payload.wav");
  rig.game.saucer.PayloadDown = true;
  rig.game.saucer.PayloadX = 7000;
  MissileSlot& missile = rig.game.weapons.missiles[3];
  missile.Active = true;
  missile.TargetX = 4000;
  missile.TargetY = 6840;
  RepositionSounds(rig.game);

  auto placed = [](const SoundBuffer& b) { return std::make_pair(b.Pan(), b.Volume()); };
  using P = std::pair<int32_t, int32_t>;
  EXPECT_EQ(placed(rig.Alien(Colour::Green, 0).Voice), P(1000, -1000));
  EXPECT_EQ(placed(rig.Alien(Colour::Green, 1).Voice), P(0, 0));
  const AlienRecord& red = rig.Alien(Colour::Red, 0);
  EXPECT_EQ(placed(red.Voice), P(-2999, -500));  // -2999/6 = -499.8
  EXPECT_EQ(placed(red.ActionSound), P(-2999, -500));
  EXPECT_EQ(placed(red.StepSounds[0]), P(-2999, -1500));  // -1499.5 goes to even
  EXPECT_EQ(placed(red.StepSounds[1]), P(-2999, -1500));
  const AlienRecord& yellow = rig.Alien(Colour::Yellow, 0);
  EXPECT_EQ(placed(yellow.Voice), P(600, -2000));
  EXPECT_EQ(placed(yellow.ActionSound), P(600, -2000));
  EXPECT_EQ(placed(yellow.StepSounds[0]), P(0, 0)) << "footsteps only on the ground";
  EXPECT_EQ(rig.game.saucer.PayloadSound.Pan(), 2000);
  EXPECT_EQ(placed(rig.game.sounds.missileExplosion[3]), P(-1000, -500));
  EXPECT_EQ(placed(rig.game.sounds.missileExplosion[2]), P(0, 0));
}

// ---------------------------------------------------------------------------
// Keys of the pass

TEST(HandlePlayerControls, TheLocatePingIsNotRestartedWhileItPlays) {
  // The ping lasts 500 ms: the press at 200 comes while it plays, from
  // where the ship has gone since.
  PlayerRig rig("100 tap DOWN\n200 tap DOWN\n700 tap DOWN");
  rig.game.state.ShipX = 6500;
  rig.RunUntil(150);
  EXPECT_EQ(rig.game.sounds.locate.Pan(), 500);
  rig.game.state.ShipX = 8000;
  rig.RunUntil(800);
  EXPECT_EQ(rig.Times("play", "sounds/locate.wav"), (std::vector<int32_t>{100, 700}));
  EXPECT_EQ(rig.Times("pan", "sounds/locate.wav"), (std::vector<int32_t>{100, 700}));
  EXPECT_EQ(rig.game.sounds.locate.Pan(), 1000);
}

TEST(HandlePlayerControls, ReportKeysSpeakTheStanding) {
  struct Case {
    const char* key;
    std::vector<std::string> spoken;
  };
  const Case cases[] = {
      {"S", {"sounds/d_cursco.wav", "sounds/numbers/12.wav", "sounds/numbers/thousand.wav"}},
      {"END", {"sounds/numbers/30.wav", "sounds/numbers/5.wav"}},
      {"W", {"sounds/d_level.wav", "sounds/d_2.wav", "sounds/d_wave.wav", "sounds/d_3.wav"}},
  };
  for (const Case& c : cases) {
    const std::string k = c.key;
    // Held past the report: spoken once per press.
    PlayerRig rig("100 down " + k + "\n3000 up " + k);
    rig.game.state.Score = 12000;
    rig.game.state.Energy = 35;
    rig.game.state.Level = 2;
    rig.game.state.Wave = 3;
    rig.RunUntil(3100);
    EXPECT_EQ(rig.Played(), c.spoken) << c.key;
  }
}

// P pauses until P is pressed again; the press that resumes does not pause
// again, however long it is held.
TEST(HandlePlayerControls, PausesOncePerPressOfP) {
  PlayerRig rig("100 tap P\n1000 down P\n2500 up P\n3000 tap P\n4000 down P\n4100 up P");
  rig.RunUntil(4500);
  EXPECT_EQ(rig.Played(), (std::vector<std::string>{"sounds/Paused.wav", "sounds/PausedLp.wav", "sounds/Resumed.wav",
                                                    "sounds/Paused.wav", "sounds/PausedLp.wav",
                                                    "sounds/Resumed.wav"}));
}

TEST(StopThrustSounds, SilencesTheThrustAndAHeldDirectionThrustsAgainAfterwards) {
  PlayerRig rig("100 down LEFT\n600 up LEFT");
  rig.RunUntil(200);
  StopThrustSounds(rig.game);
  EXPECT_FALSE(rig.game.sounds.thrustContinuous.IsPlaying());
  EXPECT_EQ(rig.game.sounds.thrustBurst.Volume(), kVolumeMin);
  EXPECT_EQ(rig.game.sounds.thrustStop.Volume(), kVolumeMin);
  EXPECT_EQ(rig.game.sounds.powerThrust.Volume(), kVolumeMin);
  rig.ClearLog();
  rig.RunUntil(300);  // the next wave, the key still held
  EXPECT_EQ(rig.Played(), (std::vector<std::string>{"sounds/thrburst.wav", "sounds/thrcont.wav"}));
  EXPECT_EQ(rig.game.sounds.thrustBurst.Volume(), 0);
}

}  // namespace
}  // namespace sb
