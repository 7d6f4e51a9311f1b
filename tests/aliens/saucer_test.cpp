#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/hits.h"
#include "aliens/saucer.h"

namespace sb::test {
namespace {

// A wave with a saucer: passes run the saucer's and the payload's steps as
// the game loop does.
struct SaucerWave : AlienField {
  explicit SaucerWave(SimOptions options = {}) : AlienField(std::move(options)) {
    game.state.Level = 1;
    game.state.ShipX = 5000;
    SaucerState& s = game.saucer;
    s.SaucerEnabled = true;
    s.SaucerStepDelay = 30;
    s.SaucerChanceRange = 2;  // the draw succeeds at 1 of 1..2: at the first or second draw
  }
  void SaucerPass() {
    host.Yield();
    SaucerState& s = game.saucer;
    if (s.SaucerEnabled && !s.PayloadDiving) UpdateSaucer(game);
    if (s.PayloadDiving && !s.PayloadDown) UpdatePayloadDive(game);
  }
  template <typename Done>
  void RunUntil(Done done, int32_t limitMs = 60000) {
    const int32_t end = host.Ticks() + limitMs;
    while (!done() && host.Ticks() < end) SaucerPass();
  }
  std::vector<int> Values(const std::string& op, const std::string& file) const {
    std::vector<int> out;
    for (const auto& rest : LogRest(op)) {
      if (rest.rfind(file + " ", 0) == 0) out.push_back(std::stoi(rest.substr(rest.find('=') + 1)));
    }
    return out;
  }
};

// Once a second a draw may send a saucer in from either wall; it hums across
// the field 50 units per move, and at the far wall it has escaped.
TEST(Saucer, AppearsAtADrawAndCrossesTheFieldUntilItEscapes) {
  SaucerWave f;
  const SaucerState& s = f.game.saucer;
  f.RunUntil([&] { return s.SaucerPresent; });
  ASSERT_TRUE(s.SaucerPresent);
  const int32_t appearedAt = f.host.Ticks();
  EXPECT_TRUE(appearedAt == 1001 || appearedAt == 2002) << appearedAt;
  const bool fromLeft = !s.SaucerMovingLeft;
  EXPECT_EQ(s.SaucerX, fromLeft ? 100 : 9500) << "in at the wall and on at once";
  EXPECT_EQ(f.LogRest("play").at(0),
            std::string("sounds/saucer.wav loop=1 vol=0 pan=") + (fromLeft ? "-4950" : "4550") + " freq=22050");

  f.RunUntil([&] { return !s.SaucerPresent; });
  const std::vector<int> pans = f.Values("pan", "sounds/saucer.wav");
  ASSERT_EQ(pans.size(), 191u) << "where it came in, then 190 moves";
  for (size_t i = 1; i < pans.size(); ++i) ASSERT_EQ(pans[i] - pans[i - 1], fromLeft ? 50 : -50) << i;
  const std::vector<int> moves = f.Times("pan", "sounds/saucer.wav");
  EXPECT_EQ(moves.back() - moves[1], 189 * 31) << "a move every 31 ms";
  EXPECT_EQ(f.Log({"stop"}), (std::vector<std::string>{"stop sounds/saucer.wav"}));
  EXPECT_EQ(f.Times("stop", "sounds/saucer.wav").at(0), moves.back() + 31) << "gone at the next move";
  HitSaucer(f.game);
  EXPECT_FALSE(s.PayloadDiving) << "an escaped saucer is no target";
}

TEST(Saucer, NoneComesBetweenWaves) {
  SaucerWave f;
  f.game.state.GameActive = false;
  f.RunUntil([] { return false; }, 5000);
  EXPECT_FALSE(f.game.saucer.SaucerPresent);
  EXPECT_TRUE(f.LogRest("play").empty());
}

// Shot down, the saucer lets its payload dive from where it was toward the
// middle of the field: the whistle moves and rises for about 70 steps, then
// the payload drops and hums where it lies.
TEST(PayloadDive, FallsTowardTheMiddleAndLandsHumming) {
  const struct {
    int16_t saucerX;
    int lowest, highest;
  } cases[] = {{4000, 5000, 8000}, {6000, 2000, 5000}, {5000, 1000, 4000}};
  for (const auto& c : cases) {
    SaucerWave f;
    SaucerState& s = f.game.saucer;
    s.SaucerPresent = true;
    s.SaucerX = c.saucerX;
    LoadSound(f.game, s.PayloadSound, "sounds/saucer.wav");
    s.PayloadSound.Play(true);
    f.game.state.ShipX = static_cast<int16_t>(c.saucerX + 300);
    HitSaucer(f.game);
    ASSERT_TRUE(s.PayloadDiving);
    f.ClearLog();
    const int32_t shotAt = f.host.Ticks();
    f.RunUntil([&] { return s.PayloadDown; });
    ASSERT_TRUE(s.PayloadDown);
    EXPECT_GE(s.PayloadX, c.lowest) << "shot at " << c.saucerX;
    EXPECT_LE(s.PayloadX, c.highest) << "shot at " << c.saucerX;
    EXPECT_GE(f.host.Ticks() - shotAt, 70 * 61);

    const int shipX = f.game.state.ShipX;
    EXPECT_EQ(f.LogRest("play").at(0), "sounds/dive.wav loop=0 vol=-1440 pan=" + std::to_string(c.saucerX - shipX) +
                                            " freq=22050")
        << "placed before it starts";
    const std::vector<int> volumes = f.Values("vol", "sounds/dive.wav");
    ASSERT_GE(volumes.size(), 71u);
    EXPECT_EQ(volumes[1], -1420);
    EXPECT_EQ(volumes[70], -40);
    const std::vector<int> pans = f.Values("pan", "sounds/dive.wav");
    EXPECT_NEAR(pans[1], c.saucerX - shipX, s.DiveRate + 1);
    EXPECT_NEAR(pans.back(), s.PayloadX - shipX, 1);
    EXPECT_EQ(f.Log({"play"}), (std::vector<std::string>{"play sounds/dive.wav", "play sounds/paydrop.wav",
                                                         "play sounds/payload.wav"}));
    const std::vector<std::string> plays = f.LogRest("play");
    const std::string pan = "pan=" + std::to_string(s.PayloadX - shipX);
    EXPECT_NE(plays[1].find("loop=0"), std::string::npos);
    EXPECT_NE(plays[1].find(pan), std::string::npos);
    EXPECT_NE(plays[2].find("loop=1"), std::string::npos);
    EXPECT_NE(plays[2].find(pan), std::string::npos);
    EXPECT_EQ(s.PayloadLandTick, f.host.Ticks());
    EXPECT_LE(s.PayloadKind, 7);
  }
}

TEST(PayloadDive, AWaveEndDuringTheDiveSilencesAndClearsIt) {
  SimOptions options;
  options.lengths["sounds/dive.wav"] = 5000;
  SaucerWave f(options);
  SaucerState& s = f.game.saucer;
  s.PayloadDiving = true;
  s.SaucerX = 3000;
  f.RunUntil([] { return false; }, 1000);
  ASSERT_TRUE(s.DiveStarted);
  ResetSaucerState(f.game);
  EXPECT_EQ(f.Log({"stop"}), (std::vector<std::string>{"stop sounds/dive.wav"}));
  EXPECT_FALSE(s.PayloadDiving);
  EXPECT_FALSE(s.DiveStarted);
  f.ClearLog();
  f.RunUntil([] { return false; }, 5000);
  EXPECT_TRUE(f.LogRest("play").empty()) << "nothing falls";
  EXPECT_FALSE(s.PayloadDown);
}

}  // namespace
}  // namespace sb::test
