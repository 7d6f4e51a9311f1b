#include "rounds/boss.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/scoring.h"
#include "rounds/boss_rig.h"
#include "rounds/rounds.h"

namespace sb {
namespace {

using test::BossRig;
using test::kNever;
using test::PlayerRig;

// Whether `wanted` appear in `played` in this order (others may come between).
bool InOrder(const std::vector<std::string>& played, const std::vector<std::string>& wanted) {
  auto at = played.begin();
  for (const std::string& w : wanted) {
    at = std::find(at, played.end(), w);
    if (at == played.end()) return false;
    ++at;
  }
  return true;
}

int CountStarting(const std::vector<std::string>& played, const std::string& stem) {
  return static_cast<int>(
      std::count_if(played.begin(), played.end(), [&](const std::string& p) { return p.rfind(stem, 0) == 0; }));
}

// ---------------------------------------------------------------------------
// The round as a whole

// The announcement, then the start music heard to its end, then the fight;
// Escape leaves the game with nothing of the round still sounding, not even
// the ship's thrust or a raised shield.
TEST(BossRound, OpensWithLiftoffAndStartMusicAndEscapeEndsTheGameInSilence) {
  SimOptions options;
  options.lengths["sounds/shield.wav"] = 5000;
  options.lengths["sounds/music/bosstart.wav"] = 2000;
  PlayerRig rig("1500 down RIGHT\n3200 tap UP\n3500 down ESCAPE", options);
  rig.game.state.Shields = 1;
  BossRound(rig.game);

  const auto played = rig.Played();
  ASSERT_GE(played.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(played.begin(), played.begin() + 4),
            (std::vector<std::string>{"sounds/liftoff.wav", "sounds/music/bosstart.wav", "sounds/music/bossloop.wav",
                                      "sounds/mothship.wav"}));
  EXPECT_EQ(rig.Times("play", "sounds/music/bosstart.wav"), std::vector<int32_t>{500}) << "after the announcement";
  EXPECT_EQ(rig.Times("play", "sounds/music/bossloop.wav"), std::vector<int32_t>{2500}) << "after the start music";
  const auto lines = rig.Lines({"play"});
  const auto line = [&](const std::string& start) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; }) !=
           lines.end();
  };
  EXPECT_TRUE(line("play sounds/music/bossloop.wav loop=1 vol=-100 "));
  EXPECT_TRUE(line("play sounds/mothship.wav loop=1 "));
  EXPECT_EQ(rig.Plays("sounds/thrcont.wav"), 1) << "the ship flew";
  EXPECT_EQ(rig.Times("play", "sounds/shield.wav").size(), 1u) << "the ship's shield was up at the end";

  EXPECT_TRUE(rig.game.state.QuitToMenu);
  EXPECT_FALSE(rig.game.state.GameActive);
  EXPECT_TRUE(test::BossReleased(rig.game.boss));
  EXPECT_EQ(test::SoundingAfterwards(rig), 0u);
}

// ---------------------------------------------------------------------------
// Shooting the mothership

// The hit that finds 25 x Difficulty open hits already taken destroys it.
TEST(FireAtBoss, TheMothershipFallsToItsTwentyFiveTimesDifficultyPlusFirstOpenHit) {
  struct Case {
    uint8_t difficulty;
    bool insane;
    int multiplier;
  };
  for (const Case c : {Case{1, false, 1}, Case{2, false, 2}, Case{3, false, 3}, Case{3, true, 2}}) {
    SCOPED_TRACE(testing::Message() << "difficulty " << int{c.difficulty} << (c.insane ? " insane" : ""));
    BossRig rig(c.difficulty, "10 down SPACE");
    rig.game.state.InsaneMode = c.insane;
    rig.HoldMothership(5000);
    const int needed = 25 * c.difficulty;
    rig.Shoot();
    EXPECT_EQ(rig.Boss().Mothership.Frequency(), 43900u) << "each open hit lowers the pitch by 100 Hz";
    for (int hit = 2; hit <= needed; ++hit) rig.Shoot();
    EXPECT_TRUE(rig.game.state.GameActive);
    EXPECT_EQ(rig.Boss().BossHits, needed);
    EXPECT_EQ(rig.Boss().Mothership.Frequency(), static_cast<uint32_t>(44000 - 100 * needed));
    EXPECT_EQ(rig.Boss().Shield.Frequency(), static_cast<uint32_t>(44000 - 100 * needed));
    EXPECT_EQ(rig.game.state.Score, 5000 * needed * c.multiplier);
    EXPECT_EQ(rig.Plays("sounds/scream.wav"), needed);

    rig.ClearLog();
    rig.Shoot();
    EXPECT_FALSE(rig.game.state.GameActive);
    EXPECT_TRUE(rig.game.state.QuitToMenu);
    EXPECT_EQ(rig.game.state.Score, (5000 * (needed + 1) + 10000000) * c.multiplier)
        << "the last hit is paid before the final score is spoken";
    EXPECT_TRUE(InOrder(rig.Played(), {"sounds/scream.wav", "sounds/explode.wav", "sounds/mothexpl.wav",
                                       "sounds/complete.wav", "sounds/d_cursco.wav", "system/menu/presskey.wav"}));
    EXPECT_TRUE(rig.Released());
    EXPECT_EQ(rig.SoundingAfterwards(), 0u);
  }
}

// The laser reaches the mothership 870 either side of it. On the raised
// shield a hit clangs and pays 2500 but brings the mothership no nearer its end.
TEST(FireAtBoss, ShieldHitsPayButDoNotCount) {
  struct Case {
    const char* name;
    bool shieldUp;
    int16_t shipOffset;
    int hitsPerShot;
    int32_t pointsPerShot;
    int clangsPerShot;
  };
  const Case cases[] = {
      {"shield up, below", true, 0, 0, 2500, 1},
      {"shield up, at the reach", true, 870, 0, 2500, 1},
      {"shield up, beyond", true, 871, 0, 0, 0},
      {"open, at the other reach", false, -870, 1, 5000, 0},
      {"open, beyond", false, -871, 0, 0, 0},
  };
  for (const Case& c : cases) {
    BossRig rig;
    rig.HoldMothership(5000, c.shieldUp);
    rig.game.state.ShipX = static_cast<int16_t>(5000 + c.shipOffset);
    for (int shot = 0; shot < 3; ++shot) rig.Shoot();
    const auto played = rig.Played();
    EXPECT_EQ(rig.Plays("sounds/laser.wav"), 3) << c.name;
    EXPECT_EQ(rig.Boss().BossHits, 3 * c.hitsPerShot) << c.name;
    EXPECT_EQ(rig.game.state.Score, 3 * c.pointsPerShot) << c.name;
    EXPECT_EQ(CountStarting(played, "sounds/cargimp"), 3 * c.clangsPerShot) << c.name;
    EXPECT_EQ(rig.Plays("sounds/scream.wav"), 3 * c.hitsPerShot) << c.name;
  }
}

// ---------------------------------------------------------------------------
// The roller

// A side laser toward a rolling roller knocks it back ten times; the
// eleventh hit destroys it. A shot the other way, or at a roller not yet
// rolling, leaves it be.
TEST(HitRoller, TheRollerTurnsBackTenTimesAndDiesOnTheEleventhHit) {
  BossRig rig;
  rig.HoldMothership(1000, true);
  rig.PlaceRoller(3000, false);  // left of the ship, coming at it
  rig.Shoot({kSideLaser, kMoveRight});
  EXPECT_EQ(rig.Boss().RollerHits, 0) << "the right laser misses a roller on the left";
  for (int hit = 1; hit <= 10; ++hit) {
    rig.Shoot({kSideLaser, kMoveLeft});
    EXPECT_EQ(rig.Boss().RollerHits, hit);
    EXPECT_EQ(rig.Boss().RollerLeft, hit % 2 == 1) << "hit " << hit;
    EXPECT_TRUE(rig.Boss().Rolling);
  }
  EXPECT_EQ(rig.Plays("sounds/changdir.wav"), 10);
  EXPECT_EQ(rig.Plays("sounds/laser_l.wav"), 10);
  EXPECT_EQ(rig.Plays("sounds/laser_r.wav"), 1);

  rig.ClearLog();
  rig.host.AdvanceMs(50);
  rig.Shoot({kSideLaser, kMoveLeft});
  const BossState& boss = rig.Boss();
  EXPECT_FALSE(boss.Dropping || boss.Landed || boss.Rolling);
  EXPECT_EQ(boss.RollerTick, rig.host.Ticks()) << "the next roller waits its full interval";
  EXPECT_EQ(rig.Played(), (std::vector<std::string>{"sounds/laser_l.wav", "sounds/explode.wav"}));
  EXPECT_EQ(rig.Lines({"pan"}).back(), "pan sounds/explode.wav pan=-2000");

  BossRig landed;
  landed.HoldMothership(1000, true);
  landed.PlaceRoller(7000, false);
  landed.Boss().Rolling = false;
  landed.Shoot({kSideLaser, kMoveRight});
  EXPECT_EQ(landed.Boss().RollerHits, 0) << "a roller still landing cannot be hit";
  EXPECT_FALSE(landed.Boss().RollerLeft);
}

// The roller comes a while after the last one (sooner on harder games),
// lands when its drop is heard to the end, rolls when its landing has been
// heard, and explodes when it comes within 180 of the ship, for 10 energy.
TEST(UpdateRoller, DropsLandsRollsAndExplodesAtTheShip) {
  struct Case {
    uint8_t difficulty;
    int32_t interval;
    int16_t blastX;  // from 1000 + 870 in steps of 10 x difficulty + 40
  };
  for (const Case c : {Case{1, 10000, 4820}, Case{2, 7000, 4870}, Case{3, 4000, 4880}}) {
    SCOPED_TRACE(testing::Message() << "difficulty " << int{c.difficulty});
    BossRig rig(c.difficulty);
    rig.HoldMothership(1000, true);
    const int32_t start = rig.Boss().RollerTick.start;
    int16_t blastX = 0;
    rig.Run(start + c.interval + 5000, [&] {
      UpdateRoller(rig.game);
      if (blastX == 0 && !rig.Boss().Dropping && rig.Boss().RollerTick.start != start) blastX = rig.Boss().RollerX;
    });
    const int32_t drop = start + c.interval + 1;
    ASSERT_FALSE(rig.Times("play", "sounds/rolldrop.wav").empty());
    EXPECT_EQ(rig.Times("play", "sounds/rolldrop.wav")[0], drop);
    EXPECT_EQ(rig.Times("play", "sounds/rollhit.wav")[0], drop + 500) << "landing: the drop has been heard";
    EXPECT_EQ(rig.Times("play", "sounds/roller.wav")[0], drop + 1000) << "rolling: the landing has been heard";
    EXPECT_EQ(blastX, c.blastX);
    EXPECT_EQ(rig.Plays("sounds/explode.wav"), 1);
    EXPECT_EQ(CountStarting(rig.Played(), "sounds/hitside"), 1);
    EXPECT_EQ(rig.game.state.Energy, 90);
  }
}

TEST(UpdateRoller, TheRollerTurnsAtTheEndsOfTheGround) {
  struct Case {
    int16_t x;
    bool left;
    int16_t nextX;
    bool nextLeft;
  };
  const Case cases[] = {{9800, false, 9850, false}, {9850, false, 9800, true}, {100, true, 50, true}, {50, true, 100, false}};
  for (const Case& c : cases) {
    BossRig rig;
    rig.HoldMothership(1000, true);
    rig.game.state.ShipX = 5000;
    rig.PlaceRoller(c.x, c.left);
    rig.host.AdvanceMs(100);
    UpdateRoller(rig.game);
    EXPECT_EQ(rig.Boss().RollerX, c.nextX) << c.x;
    EXPECT_EQ(rig.Boss().RollerLeft, c.nextLeft) << c.x;
  }
}

// ---------------------------------------------------------------------------
// The mothership

TEST(MoveMothership, TurnsAtTheEndsAndStepsQuickerOnHarderGames) {
  struct Turn {
    int16_t x;
    bool left;
    int16_t nextX;
    bool nextLeft;
  };
  const Turn turns[] = {{8500, false, 8540, false}, {8540, false, 8500, true}, {200, true, 160, true}, {160, true, 200, false}};
  for (const Turn& t : turns) {
    BossRig rig;
    rig.Boss().BossX = t.x;
    rig.Boss().MovingLeft = t.left;
    rig.host.AdvanceMs(100);
    MoveMothership(rig.game);
    EXPECT_EQ(rig.Boss().BossX, t.nextX) << t.x;
    EXPECT_EQ(rig.Boss().MovingLeft, t.nextLeft) << t.x;
  }
  struct Pace {
    uint8_t difficulty;
    int steps;  // in 1000 ms, one every interval + 1 ms
  };
  for (const Pace p : {Pace{1, 24}, Pace{2, 32}, Pace{3, 47}}) {
    BossRig rig(p.difficulty);
    rig.Boss().BossX = 1000;
    rig.Boss().MovingLeft = false;
    rig.Boss().StepTick = rig.host.Ticks();
    rig.Run(rig.host.Ticks() + 1000, [&] { MoveMothership(rig.game); });
    EXPECT_EQ(rig.Boss().BossX, 1000 + 40 * p.steps) << int{p.difficulty};
  }
}

// Shielded and open in turns of 3.3 s; raising the shield breaks off an attack.
TEST(CycleBossShield, TheShieldRisesAndFallsEveryThreePointThreeSecondsAndStopsAnAttack) {
  SimOptions options;
  options.lengths["sounds/yelpwrup.wav"] = 3000;
  options.lengths["sounds/ylwlaser.wav"] = 3000;
  BossRig rig(1, "", options);
  rig.Boss().StepInterval = kNever;
  rig.Boss().BossX = 5000;
  const int32_t start = rig.Boss().ShieldTick.start;
  std::vector<int32_t> changes;
  bool up = false;
  rig.Run(start + 7000, [&] {
    CycleBossShield(rig.game);
    BossAttack(rig.game);
    if (rig.Boss().BossShieldUp != up) changes.push_back(rig.host.Ticks());
    up = rig.Boss().BossShieldUp;
  });
  EXPECT_EQ(changes, (std::vector<int32_t>{start + 3301, start + 6602}));
  EXPECT_EQ(rig.Times("play", "sounds/ylwlaser.wav"), std::vector<int32_t>{start + 3000}) << "charged while open";
  EXPECT_EQ(rig.Times("stop", "sounds/ylwlaser.wav"), std::vector<int32_t>{start + 3301}) << "broken off";
  EXPECT_EQ(rig.Times("play", "sounds/yelpwrup.wav"), (std::vector<int32_t>{start, start + 6602}))
      << "no new charge while shielded";
}

// The charge is heard when the ship is within 290 of the mothership or of
// the point 1160 to its right, and only while the shield is down.
TEST(BossAttack, ChargesForAShipBelowTheMothershipOrBelowThePointToItsRight) {
  struct Case {
    int16_t offset;  // ship x - mothership x
    bool shieldUp;
    bool charges;
  };
  const Case cases[] = {{-291, false, false}, {-290, false, true}, {0, false, true},     {290, false, true},
                        {291, false, false},  {869, false, false}, {870, false, true},   {1160, false, true},
                        {1450, false, true},  {1451, false, false}, {0, true, false}};
  for (const Case& c : cases) {
    BossRig rig;
    rig.HoldMothership(4000, c.shieldUp);
    rig.game.state.ShipX = static_cast<int16_t>(4000 + c.offset);
    BossAttack(rig.game);
    EXPECT_EQ(rig.Boss().Charging, c.charges) << c.offset;
    EXPECT_EQ(rig.Plays("sounds/yelpwrup.wav"), c.charges ? 1 : 0) << c.offset;
  }
}

// Once charged the laser fires even if the ship has gone, and burns only a
// ship in its reach, at most once every 300 ms, for 5 x Difficulty.
TEST(BossAttack, TheChargedLaserFiresAndBurnsOnlyANearShip) {
  struct Case {
    const char* name;
    uint8_t difficulty;
    bool shipLeaves;
    int burns;
  };
  for (const Case& c : {Case{"stays", 1, false, 4}, Case{"stays, hard", 3, false, 4}, Case{"leaves", 1, true, 0}}) {
    SimOptions options;
    options.lengths["sounds/ylwlaser.wav"] = 1000;
    BossRig rig(c.difficulty, "", options);
    rig.HoldMothership(5000);
    std::vector<int32_t> burns;
    int16_t energy = rig.game.state.Energy;
    bool fired = false;
    rig.Run(rig.host.Ticks() + 5000, [&] {
      if (fired && !rig.Boss().Firing) return;
      BossAttack(rig.game);
      if (c.shipLeaves && rig.Boss().Charging) rig.game.state.ShipX = 7000;
      fired = fired || rig.Boss().Firing;
      if (rig.game.state.Energy != energy) burns.push_back(rig.host.Ticks());
      energy = rig.game.state.Energy;
    });
    EXPECT_EQ(rig.Plays("sounds/ylwlaser.wav"), 1) << c.name;
    ASSERT_EQ(burns.size(), static_cast<size_t>(c.burns)) << c.name;
    for (size_t i = 1; i < burns.size(); ++i) EXPECT_EQ(burns[i] - burns[i - 1], 301) << c.name;
    EXPECT_EQ(rig.game.state.Energy, 100 - c.burns * 5 * c.difficulty) << c.name;
    EXPECT_EQ(CountStarting(rig.Played(), "sounds/shiphit"), c.burns) << c.name;
  }
}

// ---------------------------------------------------------------------------
// Damage and the game over

// The damage rule itself is DamagePlayer's (scoring_test); the round adds
// what its game over releases.
TEST(ReleaseBoss, TheLastBlowReleasesTheRoundBeforeTheGameOverIsSpoken) {
  const struct {
    const char* name;
    int16_t energy;
    bool over;
  } cases[] = {{"a blow survived", 35, false}, {"all of it", 10, true}};
  for (const auto& c : cases) {
    BossRig rig(1, "10 down SPACE");
    rig.game.state.Energy = c.energy;
    rig.game.state.GameActive = true;
    rig.game.state.Score = 120;
    DamagePlayer(rig.game, 10, ReleaseBoss);
    EXPECT_EQ(rig.Released(), c.over) << c.name;
    if (!c.over) continue;
    EXPECT_FALSE(rig.game.state.GameActive);
    EXPECT_EQ(rig.Played(), (std::vector<std::string>{"sounds/d_gamovr.wav", "sounds/d_cursco.wav",
                                                      "sounds/numbers/1.wav", "sounds/numbers/hundred.wav",
                                                      "sounds/numbers/20.wav", "sounds/smackem.wav"}));
    EXPECT_EQ(rig.SoundingAfterwards(), 0u);
  }
}

// A pause silences the round and holds its clocks; on resume everything
// takes up where it was.
TEST(BossRound, APauseHoldsTheRoundStill) {
  BossRig rig(1, "2000 tap P\n5000 tap P");
  rig.HoldMothership(1000);
  const int32_t start = rig.host.Ticks();
  rig.Boss().ShieldTick = start;
  rig.RunBoss(9000);
  const auto stops = rig.Times("stop", "sounds/mothship.wav");
  const auto plays = rig.Times("play", "sounds/mothship.wav");
  ASSERT_EQ(stops.size(), 1u);
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(stops[0], 2000);
  EXPECT_GT(plays[0], 5000);
  const auto music = rig.Times("play", "sounds/music/bossloop.wav");
  ASSERT_EQ(music.size(), 1u);
  EXPECT_EQ(music[0], plays[0]);
  const int32_t paused = plays[0] - stops[0];
  EXPECT_EQ(rig.Times("play", "sounds/shield.wav")[0], start + 3301 + paused) << "the shield's clock waited";
}

}  // namespace
}  // namespace sb
