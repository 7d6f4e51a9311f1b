// A game in play pauses when another window takes the keyboard focus, in
// every scene, as P would: the paused prompt and the pause loop. A key
// pressed while the window is away does not resume it; P does once the
// focus is back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/sim_host.h"
#include "program/startup.h"
#include "support/log_lines.h"
#include "support/script.h"

namespace sb {
namespace {

using Times = std::vector<int32_t>;

TEST(WindowFocus, PlayPausesWhenTheFocusGoesAndPResumesOnceItIsBack) {
  const struct {
    const char* scene;
    DirectGame game;
    int32_t away;  // in play by then
  } cases[] = {
      {"a wave", DirectGame{1, 1, 1}, 5000},
      {"the sheep drop", DirectGame{1, 1, 1, SpecialRound::SheepDrop}, 8000},
      {"the meteor shower", DirectGame{1, 1, 1, SpecialRound::MeteorShower}, 8000},
      {"the boss round", DirectGame{1, 1, 1, SpecialRound::Boss}, 8000},
  };
  for (const auto& c : cases) {
    const int32_t t = c.away;
    SimOptions options;
    options.directGame = c.game;
    options.script = test::Script(std::to_string(t) + " focus lost\n" + std::to_string(t + 500) + " tap P\n" +
                                  std::to_string(t + 1000) + " focus gained\n" + std::to_string(t + 2000) +
                                  " tap P\n");
    options.untilMs = t + 3000;
    const std::vector<std::string> log = RunSimulation(options).lines;
    EXPECT_EQ(test::TimesOf(log, "play", "sounds/Paused.wav"), Times{t}) << c.scene;
    EXPECT_EQ(test::TimesOf(log, "play", "sounds/PausedLp.wav"), Times{t + 500}) << c.scene;
    EXPECT_EQ(test::TimesOf(log, "play", "sounds/Resumed.wav"), Times{t + 2000}) << c.scene;
  }
}

}  // namespace
}  // namespace sb
