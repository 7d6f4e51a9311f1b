// Every way a special round ends leaves nothing of it sounding: the game goes
// on with the next level in silence.

#include <gtest/gtest.h>

#include "rounds/round_rig.h"

namespace sb {
namespace {

using test::RoundRig;

struct EndingCase {
  const char* name;
  void (*round)(Game&);
  std::string script;
  bool tallied;
};

// The laser pressed every five seconds from `from` on.
std::string LaserTaps(int32_t from) {
  std::string script;
  for (int32_t ms = from; ms < from + 300000; ms += 5000) script += std::to_string(ms) + " tap LCONTROL\n";
  return script;
}

TEST(SpecialRounds, EveryEndingReleasesTheRoundsSounds) {
  const EndingCase cases[] = {
      // Escape while the ship thrusts: no tally, and the thrust stops with the round.
      {"sheep drop, Escape", SheepDropRound, "8000 down LEFT\n9000 down ESCAPE\n9050 up ESCAPE", false},
      {"meteor shower, Escape", MeteorShowerRound, "8000 down LEFT\n9000 down ESCAPE\n9050 up ESCAPE", false},
      // Left alone, sheep land (or thirty drop) and the round ends by itself.
      {"sheep drop, played out", SheepDropRound, "", true},
      // Under the falling meteors the ship burns, or a laser press after all
      // have fallen ends it.
      {"meteor shower, played out", MeteorShowerRound, LaserTaps(100000), true},
  };
  for (const EndingCase& c : cases) {
    SimOptions options;
    options.passesPerMs = 1;  // whole rounds: minutes of play
    RoundRig rig(c.script, options);
    rig.game.state.Score = 1000;
    c.round(rig.game);
    EXPECT_FALSE(rig.game.state.GameActive) << c.name;
    EXPECT_FALSE(rig.game.state.QuitToMenu) << c.name << ": the game goes on";
    EXPECT_EQ(rig.Plays("sounds/d_wavcom.wav"), c.tallied ? 1 : 0) << c.name;
    EXPECT_EQ(rig.game.state.Energy, 100) << c.name;
    if (!c.tallied) {
      EXPECT_EQ(rig.game.state.Score, 1000) << c.name;
      EXPECT_TRUE(rig.game.input.keyLatch[dik::ESCAPE]) << c.name << ": the Escape press is used up";
    }
    rig.ExpectRoundSilent(c.name);
  }
}

// Pausing holds the round's own sounds where they are and lets them go on
// from there when play resumes.
TEST(SpecialRounds, PausingHoldsTheRoundsSounds) {
  RoundRig rig("1000 down P\n1050 up P\n4000 down P\n4050 up P\n8000 down ESCAPE");
  SheepDropRound(rig.game);
  const auto stopped = rig.Times("stop", "sounds/cargship.wav");
  const auto started = rig.Times("play", "sounds/cargship.wav");
  ASSERT_GE(stopped.size(), 2u);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_NEAR(stopped[0], 1000, 2) << "held when the game pauses";
  EXPECT_GT(started[1], 4000) << "and going on once it resumes";
  EXPECT_EQ(rig.Plays("sounds/Paused.wav"), 1);
  EXPECT_EQ(rig.Plays("sounds/Resumed.wav"), 1);
}

TEST(SpecialRounds, FallingVolumes) {
  const struct {
    int32_t y;
    int32_t fall, voice, blast;
  } cases[] = {
      {180, -1852, -2928, -1485},  // halves go to the even neighbour
      {182, -1852, -2927, -1485},  // CInt(45.5) = 46, then -1851.5 goes to -1852
      {190, -1850, -2924, -1483},  // CInt(47.5) = 48, then -1849.5 goes to -1850
      {6840, -188, -264, -20},     {6850, -186, -260, -18},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FallVolume(c.y), c.fall) << c.y;
    EXPECT_EQ(VoiceVolume(c.y), c.voice) << c.y;
    EXPECT_EQ(BlastVolume(c.y), c.blast) << c.y;
  }
}

}  // namespace
}  // namespace sb
