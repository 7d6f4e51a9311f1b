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

// Level 8 wave 5 on Hard with the wave's last alien straight above the ship:
// the laser that shoots it leads to the tally and the boss round.
void LastAlienOfTheLastWave(Game& game) {
  GameState& state = game.state;
  test::OneShotFromWaveEnd(game, Colour::Silver);
  state.Difficulty = 3;
  state.Level = 8;
  state.Wave = 5;
}

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
  LastAlienOfTheLastWave(game);

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

// The wave's last kill hands the wave's end to the game loop: the boss round
// is played after the pass that shot the alien, not inside it. A Q held
// through the round and the Escape that leaves it do not then save, as a
// key of that old pass, the game the round has ended.
TEST(BossScenario, AGameTheBossRoundEndedIsNotSavedByAKeyHeldThroughIt) {
  SimOptions options;
  options.passesPerMs = 1;
  options.script = {test::Down(200, dik::LCONTROL), test::Up(260, dik::LCONTROL), test::Down(300, dik::Q),
                    test::Down(400, dik::ESCAPE)};
  test::PlayingGame sim(options);
  Game& game = sim.game;
  LastAlienOfTheLastWave(game);

  GameLoop(game);

  const Strings played = sim.Played();
  const size_t liftoff = IndexOf(played, "sounds/liftoff.wav");
  ASSERT_LT(liftoff, played.size()) << "the boss round was reached";
  EXPECT_EQ(IndexOf(played, "system/menu/saved.wav", liftoff), played.size());
  EXPECT_FALSE(game.player.savedGame);
  EXPECT_TRUE(game.state.QuitToMenu);
  EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), 0u);
}

}  // namespace
}  // namespace sb
