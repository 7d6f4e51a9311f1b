#include <gtest/gtest.h>

#include "hosts/sim_host.h"
#include "platform/startup.h"
#include "support/log_lines.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

TEST(DirectGame, ReadsLevelWaveAndDifficulty) {
  const struct {
    const char* text;
    bool valid;
    DirectGame game;
  } cases[] = {
      {"1:1:1", true, {1, 1, 1}}, {"8:5:4", true, {8, 5, 4}}, {"3:2:2", true, {3, 2, 2}},
      {"0:1:1", false, {}},       {"9:1:1", false, {}},       {"1:6:1", false, {}},
      {"1:1:5", false, {}},       {"1:1:0", false, {}},       {"1:1", false, {}},
      {"1:1:1:1", false, {}},     {"::", false, {}},          {"a:1:1", false, {}},
      {"1:-1:1", false, {}},      {"", false, {}},            {"99999999999:1:1", false, {}},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseDirectGame(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->level, c.game.level) << c.text;
    EXPECT_EQ(parsed->wave, c.game.wave) << c.text;
    EXPECT_EQ(parsed->difficulty, c.game.difficulty) << c.text;
  }
}

// Straight after the title the wave is announced; Escape ends the game and
// the main menu opens, as after any game; its Escape ends the program.
TEST(DirectGame, SkipsTheMenusAndReturnsToTheMainMenu) {
  SimOptions options;
  options.directGame = DirectGame{3, 2, 4};
  options.script = {test::Down(6000, dik::ESCAPE), test::Up(6100, dik::ESCAPE), test::Down(9000, dik::ESCAPE),
                    test::Up(9100, dik::ESCAPE)};
  options.untilMs = 60000;
  const SimResult result = RunSimulation(options);
  EXPECT_FALSE(result.reachedUntil);
  EXPECT_EQ(result.exitCode, 0);
  const Strings played = test::Events(result.lines, {"play", "exit"});
  ASSERT_GE(played.size(), 8u);
  EXPECT_EQ(Strings(played.begin(), played.begin() + 7),
            (Strings{"play sounds/sb.wav", "play sounds/d_level.wav", "play sounds/d_3.wav", "play sounds/d_wave.wav",
                     "play sounds/d_2.wav", "play sounds/music/music3.wav", "play sounds/nitelife.wav"}));
  EXPECT_EQ(Strings(played.end() - 5, played.end()),
            (Strings{"play system/menu/crickets.wav", "play sounds/music/music5.wav", "play system/menu/select.wav",
                     "play system/menu/exiting.wav", "exit code=0"}));
}

}  // namespace
}  // namespace sb
