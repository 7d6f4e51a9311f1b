// The boss round as the game reaches it: the last alien of the last wave of
// the last level is shot, the tally is spoken, and the mothership lifts off.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_loop.h"
#include "sound/sound_engine.h"
#include "support/playing_game.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

using test::IndexOf;

// Left standing in the middle of the field, the ship is worn down by the
// mothership's laser and its rollers until the game is over; the game then
// goes back to the menu with nothing of it sounding.
TEST(BossScenario, TheLastWaveOfTheLastLevelEndsInTheBossRound) {
  SimOptions options;
  options.passesPerMs = 1;
  options.script = {test::Down(200, dik::LCONTROL), test::Up(260, dik::LCONTROL)};
  test::PlayingGame sim(options);
  Game& game = sim.game;
  GameState& state = game.state;
  test::OneShotFromWaveEnd(game, Colour::Silver);
  state.Difficulty = 3;
  state.Level = 8;
  state.Wave = 5;

  GameLoop(game);

  const Strings played = sim.Played();
  const size_t tally = IndexOf(played, "sounds/d_wavcom.wav");
  const size_t liftoff = IndexOf(played, "sounds/liftoff.wav", tally);
  ASSERT_LT(liftoff, played.size()) << "the boss round came after the tally";
  EXPECT_LT(IndexOf(played, "sounds/smackem.wav", tally), liftoff) << "after the level's score and a break";
  EXPECT_EQ(Strings(played.begin() + static_cast<std::ptrdiff_t>(liftoff),
                    played.begin() + static_cast<std::ptrdiff_t>(liftoff) + 4),
            (Strings{"sounds/liftoff.wav", "sounds/music/bosstart.wav", "sounds/music/bossloop.wav",
                     "sounds/mothship.wav"}));
  const size_t over = IndexOf(played, "sounds/d_gamovr.wav", liftoff);
  ASSERT_LT(over, played.size()) << "the ship was destroyed";
  EXPECT_LT(IndexOf(played, "sounds/ylwlaser.wav", liftoff), over);
  EXPECT_LT(IndexOf(played, "sounds/roller.wav", liftoff), over);
  EXPECT_EQ(played.back(), "sounds/smackem.wav");

  EXPECT_TRUE(state.QuitToMenu);
  EXPECT_FALSE(state.GameActive);
  EXPECT_EQ(state.Level, 8);
  EXPECT_TRUE(game.boss.Mothership.Empty());
  EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), 0u);
}

}  // namespace
}  // namespace sb
