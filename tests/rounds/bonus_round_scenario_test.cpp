// A special round as the game reaches it: the last alien of a level's fifth
// perfect wave is shot, the tally pays for the perfect wave, the level goes
// up, and a sheep drop or a meteor shower is played before the next level.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/game_loop.h"
#include "sound/sound_engine.h"
#include "support/playing_game.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

using test::IndexOf;

// The laser tapped every five seconds for ten minutes: the first tap shoots
// the wave's last alien, the later ones whatever falls over the ship.
std::vector<ScriptEvent> LaserTaps() {
  std::vector<ScriptEvent> script;
  for (int32_t ms = 200; ms < 600000; ms += 5000) {
    script.push_back(test::Down(ms, dik::LCONTROL));
    script.push_back(test::Up(ms + 60, dik::LCONTROL));
  }
  return script;
}

// The ship stays in the middle of the field and fires now and then; each
// round ends by itself, and the game goes on with level 2 in silence.
TEST(BonusRoundScenario, AFifthPerfectWaveLeadsIntoASpecialRound) {
  std::set<std::string> rounds;
  for (uint32_t seed = 0; seed < 12 && rounds.size() < 2; ++seed) {
    SimOptions options;
    options.seed = seed * 997;
    options.passesPerMs = 1;
    options.script = LaserTaps();
    test::PlayingGame sim(options);
    Game& game = sim.game;
    GameState& state = game.state;
    test::OneShotFromWaveEnd(game, Colour::Green);
    state.Level = 1;
    state.Wave = 5;
    state.PerfectWaves = 4;

    GameLoop(game);

    const Strings played = sim.Played();
    const size_t tally = IndexOf(played, "sounds/d_wavcom.wav");
    ASSERT_LT(tally, played.size()) << seed;
    const size_t perfect = IndexOf(played, "sounds/nlball.wav", tally);
    const size_t levelUp = IndexOf(played, "sounds/d_lvlup.wav", perfect);
    const size_t bonus = IndexOf(played, "sounds/d_bonus.wav", levelUp);
    ASSERT_LT(bonus, played.size()) << seed << ": a perfect wave, the level up and the bonus round";
    const std::string& chosen = played.at(bonus + 1);
    const bool sheep = chosen == "sounds/d_sheep.wav";
    ASSERT_TRUE(sheep || chosen == "sounds/d_meteor.wav") << seed << ": " << chosen;
    rounds.insert(chosen);
    const size_t opening = IndexOf(played, sheep ? "sounds/cargship.wav" : "sounds/metdrop.wav", bonus);
    const size_t roundTally = IndexOf(played, "sounds/d_wavcom.wav", opening);
    ASSERT_LT(roundTally, played.size()) << seed << ": the round ended with its tally";
    EXPECT_EQ(played.back(), "sounds/smackem.wav") << seed << ": and a break before the next level";

    EXPECT_FALSE(state.QuitToMenu) << seed;
    EXPECT_FALSE(state.GameActive) << seed;
    EXPECT_EQ(state.Level, 2) << seed;
    EXPECT_EQ(state.Wave, 1) << seed;
    EXPECT_EQ(state.PerfectWaves, 0) << seed;
    EXPECT_EQ(state.Energy, 100) << seed << ": no round hurts the ship's own energy";
    EXPECT_FALSE(game.sheepDrop.loaded || game.meteorShower.loaded) << seed;
    const SoundBuffer& nightLife = game.sounds.nightLife;
    EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), nightLife.IsPlaying() ? 1u : 0u) << seed;
    EXPECT_EQ(nightLife.Volume(), kVolumeMin) << seed;
  }
  EXPECT_EQ(rounds.size(), 2u) << "both rounds come up";
}

}  // namespace
}  // namespace sb
