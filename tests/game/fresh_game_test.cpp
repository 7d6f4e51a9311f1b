// A new game starts from nothing of the last one, however that one ended.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hosts/sim_host.h"
#include "support/log_lines.h"
#include "support/script.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

// The recordings started after the `nth` (from 1) announcement of a level.
Strings PlayedInGame(const Strings& lines, int nth) {
  const Strings played = test::Events(lines, {"play"});
  auto start = played.begin();
  for (int n = 0; n < nth; ++n) {
    start = std::find(n == 0 ? start : start + 1, played.end(), "play sounds/d_level.wav");
    if (start == played.end()) return {};
  }
  return Strings(start, played.end());
}

// From the menu: a new game, Left held, Escape while it is held; then a
// second new game and Left held again. The second game hears its ship move
// like the first, and no thrust ends in it before one began.
TEST(FreshGame, AShipLeftThrustingIsHeardThrustingInTheNextGame) {
  SimOptions options;
  options.script = test::Script(
      "1500 tap RETURN\n"     // new game
      "3000 tap RETURN\n"     // Easy
      "7000 down LEFT\n"
      "7500 tap ESCAPE\n"     // left while the ship moves
      "7800 up LEFT\n"
      "10000 tap RETURN\n"    // a new game again
      "12000 tap RETURN\n"    // Easy
      "16000 down LEFT\n"
      "16500 up LEFT\n");
  options.untilMs = 18000;
  const SimResult result = RunSimulation(options);

  const Strings first = PlayedInGame(result.lines, 1);
  const Strings second = PlayedInGame(result.lines, 2);
  ASSERT_FALSE(second.empty()) << "the second game was not started";
  const Strings thrust = {"play sounds/thrburst.wav", "play sounds/thrcont.wav"};
  ASSERT_NE(std::search(first.begin(), first.end(), thrust.begin(), thrust.end()), first.end());
  const auto moved = std::search(second.begin(), second.end(), thrust.begin(), thrust.end());
  EXPECT_NE(moved, second.end()) << "the second game's first move is silent";
  EXPECT_EQ(std::count(second.begin(), moved, "play sounds/thrstop.wav"), 0)
      << "a thrust ends in the second game before any began";
}

}  // namespace
}  // namespace sb
