#include <gtest/gtest.h>

#include <functional>

#include "player/powerups.h"
#include "player_rig.h"

namespace sb::test {
namespace {

// A payload of this kind lying at x, humming.
void LandPayload(PlayerRig& rig, uint8_t kind, int16_t x) {
  SaucerState& s = rig.game.saucer;
  s.PayloadDiving = true;
  s.PayloadDown = true;
  s.PayloadX = x;
  s.PayloadKind = kind;
  LoadSound(rig.game, s.PayloadSound, "sounds/payload.wav");
  s.PayloadSound.Play(true);
  rig.ClearLog();
}

TEST(Payload, TheShipCatchesItWithin150Units) {
  const struct {
    int offset;
    bool caught;
  } cases[] = {{150, true}, {-150, true}, {0, true}, {151, false}, {-151, false}};
  for (const auto& c : cases) {
    PlayerRig rig;
    rig.game.state.ShipX = 5000;
    LandPayload(rig, 5, static_cast<int16_t>(5000 + c.offset));
    MoveShip(rig.game);
    const SaucerState& s = rig.game.saucer;
    EXPECT_EQ(s.PayloadDown, !c.caught) << c.offset;
    EXPECT_EQ(s.PayloadDiving, !c.caught) << c.offset;
    EXPECT_EQ(rig.game.state.Vapors, c.caught ? 1 : 0) << c.offset;
    const std::vector<std::string> heard = rig.Log({"play", "stop"});
    EXPECT_EQ(heard, c.caught ? (std::vector<std::string>{"stop sounds/payload.wav", "play sounds/pvapor.wav"})
                              : std::vector<std::string>{})
        << c.offset;
  }
}

// Each kind is announced and takes effect; a Missile payload with every
// missile still carried is wasted, and says so over its own announcement.
TEST(Payload, EachKindAnnouncesItselfAndTakesEffect) {
  const struct {
    const char* what;
    std::vector<uint8_t> kinds;  // caught one after the other
    std::function<void(GameState&)> before;
    std::function<void(const Game&)> check;
    std::vector<std::string> heard;
  } cases[] = {
      {"bonus", {0}, [](GameState& s) { s.Difficulty = 2; },
       [](const Game& g) { EXPECT_EQ(g.state.Score, 10000); }, {"sounds/pBonus.wav"}},
      {"turbo", {1}, [](GameState& s) { s.TurboTime = 500; },
       [](const Game& g) {
         EXPECT_TRUE(g.state.TurboAvailable);
         EXPECT_EQ(g.state.TurboTime, 4500);
       },
       {"sounds/pTurbo.wav"}},
      {"two rapids", {2, 2}, [](GameState&) {},
       [](const Game& g) {
         EXPECT_TRUE(g.state.RapidActive);
         EXPECT_EQ(g.state.RapidTime, 16000);
         EXPECT_EQ(g.weapons.RapidTick, g.host.Ticks());
       },
       {"sounds/pRapid.wav", "sounds/pRapid.wav"}},
      {"nuke", {3}, [](GameState& s) { s.Nukes = 255; },
       [](const Game& g) {
         EXPECT_TRUE(g.state.HasNukes);
         EXPECT_EQ(g.state.Nukes, 255) << "a full stock stays full";
       },
       {"sounds/pNuke.wav"}},
      {"missile back", {4}, [](GameState& s) { s.MissilesSpent = 3; },
       [](const Game& g) { EXPECT_EQ(g.state.MissilesSpent, 2); }, {"sounds/pMissile.wav"}},
      {"missile wasted", {4}, [](GameState& s) { s.MissilesSpent = 0; },
       [](const Game& g) { EXPECT_EQ(g.state.MissilesSpent, 0); }, {"sounds/pMissile.wav", "sounds/paygone.wav"}},
      {"vapor", {5}, [](GameState& s) { s.Vapors = 2; }, [](const Game& g) { EXPECT_EQ(g.state.Vapors, 3); },
       {"sounds/pvapor.wav"}},
      {"shield", {6}, [](GameState&) {}, [](const Game& g) { EXPECT_EQ(g.state.Shields, 1); }, {"sounds/pshield.wav"}},
      {"energy 40", {7}, [](GameState& s) { s.Energy = 40; }, [](const Game& g) { EXPECT_EQ(g.state.Energy, 140); },
       {"sounds/pEnergy.wav"}},
      {"energy 50", {7}, [](GameState& s) { s.Energy = 50; }, [](const Game& g) { EXPECT_EQ(g.state.Energy, 150); },
       {"sounds/pEnergy.wav"}},
      {"energy 60", {7}, [](GameState& s) { s.Energy = 60; }, [](const Game& g) { EXPECT_EQ(g.state.Energy, 150); },
       {"sounds/pEnergy.wav"}},
      {"energy 150", {7}, [](GameState& s) { s.Energy = 150; }, [](const Game& g) { EXPECT_EQ(g.state.Energy, 150); },
       {"sounds/pEnergy.wav"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlayerRig rig;
    rig.game.state.ShipX = 5000;
    c.before(rig.game.state);
    std::vector<std::string> heard;
    for (uint8_t kind : c.kinds) {
      LandPayload(rig, kind, 5100);
      CatchPayload(rig.game);
      for (const auto& p : rig.Played()) heard.push_back(p);
    }
    c.check(rig.game);
    EXPECT_EQ(heard, c.heard);
  }
}

// No kind twice in a row, every kind turns up, and Easy brings Energy more
// often than Hard, where all kinds are equally likely.
TEST(PayloadKind, NeverTheSameTwiceAndEnergyFavouredOnEasy) {
  int energy[4] = {};
  for (uint8_t difficulty : {1, 2, 3}) {
    PlayerRig rig;
    rig.game.state.Difficulty = difficulty;
    std::vector<int> seen(8);
    for (int i = 0; i < 800; ++i) {
      const uint8_t previous = rig.game.saucer.PreviousPayloadKind;
      ChoosePayloadKind(rig.game);
      const uint8_t kind = rig.game.saucer.PayloadKind;
      ASSERT_LE(kind, 7);
      ASSERT_NE(kind, previous) << "difficulty " << int{difficulty} << " draw " << i;
      EXPECT_EQ(rig.game.saucer.PreviousPayloadKind, kind);
      ++seen[kind];
      rig.host.Yield();
    }
    for (int kind = 0; kind < 8; ++kind) EXPECT_GT(seen[kind], 0) << "kind " << kind;
    energy[difficulty] = seen[7];
  }
  EXPECT_GT(energy[1], energy[3] * 3 / 2) << energy[1] << " against " << energy[3];
  EXPECT_GT(energy[1], energy[2]) << energy[1] << " against " << energy[2];
}

TEST(PayloadKind, APickDiffersFromTheValueAndStaysInRange) {
  PlayerRig rig;
  for (uint8_t value = 0; value < 8; ++value) {
    for (int i = 0; i < 20; ++i) {
      const uint8_t pick = PickDifferentKind(rig.game, value, 0, 7);
      EXPECT_NE(pick, value);
      EXPECT_LE(pick, 7);
    }
  }
  EXPECT_EQ(PickDifferentKind(rig.game, 3, 3, 3), 3) << "nothing else to pick";
}

}  // namespace
}  // namespace sb::test
