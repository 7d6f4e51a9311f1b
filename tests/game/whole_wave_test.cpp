// Whole waves played through the game loop by a player who listens: the ship
// flies under the nearest alien it hears and fires the laser.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/waves.h"
#include "support/playing_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

// Steers toward the nearest alien in flight and presses the laser in short
// taps while under it; on reaching the wave `leaveAtWave` it presses Escape.
class LaserPlayerHost : public test::ContinuingHost {
 public:
  using ContinuingHost::ContinuingHost;
  void Play(const Game& game, uint8_t leaveAtWave) {
    Watch(game);
    game_ = &game;
    leaveAtWave_ = leaveAtWave;
  }

  KeyboardRead ReadKeyboard(KeyboardState& state) override {
    const KeyboardRead read = ContinuingHost::ReadKeyboard(state);
    if (!game_ || !game_->state.GameActive) return read;
    if (game_->state.Wave >= leaveAtWave_) {
      state[dik::ESCAPE] = 0x80;
      return read;
    }
    const AlienRecord* target = Nearest();
    if (!target) return read;
    const int dx = target->X - game_->state.ShipX;
    if (dx > 150) state[dik::RIGHT] = 0x80;
    if (dx < -150) state[dik::LEFT] = 0x80;
    if (std::abs(dx) < 300 && Ticks() / 60 % 2 == 0) state[dik::LCONTROL] = 0x80;
    return read;
  }

 private:
  const AlienRecord* Nearest() const {
    const AlienRecord* best = nullptr;
    for (const AlienGroup& group : game_->aliens.groups) {
      for (size_t i = 0; i < group.Count && i < group.Aliens.size(); ++i) {
        const AlienRecord& a = group.Aliens[i];
        if (!a.Active || a.Landed || a.Destroyed) continue;
        if (!best || std::abs(a.X - game_->state.ShipX) < std::abs(best->X - game_->state.ShipX)) best = &a;
      }
    }
    return best;
  }

  const Game* game_ = nullptr;
  uint8_t leaveAtWave_ = 0;
};

using test::Count;

// Level 1 wave 1 shot clear by the laser: every green alien explodes, none
// lands, the tally speaks the wave complete and pays the perfect wave, and
// wave 2 is announced.
TEST(WholeWave, Level1Wave1ShotClearByTheLaserThenWave2) {
  test::PlayingGameOn<LaserPlayerHost> sim;
  Game& game = sim.game;
  sim.host.Play(game, 2);
  game.player.personalBest = 1'000'000'000;

  StartGame(game, 1, 1);

  const Strings played = sim.Played();
  const size_t greens = LevelWaveRow(1, 1).colours[static_cast<size_t>(Colour::Green)].Count;
  ASSERT_GT(greens, 0u);
  EXPECT_EQ(Count(played, "sounds/agreen.wav"), greens);
  EXPECT_EQ(Count(played, "sounds/alienlnd.wav"), 0u);
  EXPECT_GE(Count(played, "sounds/laser.wav"), greens);
  const auto wavcom = std::find(played.begin(), played.end(), "sounds/d_wavcom.wav");
  ASSERT_NE(wavcom, played.end());
  EXPECT_EQ(std::count(wavcom, played.end(), "sounds/agreen.wav"), 0) << "no alien after the last kill";
  EXPECT_EQ(*(wavcom + 1), "sounds/d_nlb.wav");
  EXPECT_NE(std::find(wavcom, played.end(), "sounds/nlball.wav"), played.end()) << "the perfect wave";
  const Strings next = {"sounds/d_level.wav", "sounds/d_1.wav", "sounds/d_wave.wav", "sounds/d_2.wav"};
  EXPECT_NE(std::search(wavcom, played.end(), next.begin(), next.end()), played.end());
  EXPECT_EQ(game.state.Wave, 2);
  EXPECT_EQ(game.state.PerfectWaves, 1);
  EXPECT_GT(game.state.Score, 0);
  EXPECT_TRUE(game.state.QuitToMenu);
}

}  // namespace
}  // namespace sb
