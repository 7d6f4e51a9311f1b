// From the title to a game played with a controller: joystick control chosen
// in the options, the joystick menu walked, a button bound and written, and a
// level started from the menu played with the stick and the buttons.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/settings.h"
#include "menus/program_run.h"

namespace sb {
namespace {

constexpr const char* kScript =
    // The main menu: Up five times is the options.
    "1500 tap UP\n2000 tap UP\n2500 tap UP\n3000 tap UP\n3500 tap UP\n4000 tap RETURN\n"
    // The controller mode: Down and Enter choose the joystick.
    "6000 tap RETURN\n8000 tap DOWN\n10000 tap RETURN\n"
    // The joystick menu, its six items walked round to the first.
    "13000 tap DOWN\n14000 tap DOWN\n15000 tap RETURN\n"
    "17000 tap DOWN\n18000 tap DOWN\n19000 tap DOWN\n20000 tap DOWN\n21000 tap DOWN\n22000 tap DOWN\n"
    // Button 10 (index 9) moves left.
    "23000 tap DOWN\n24000 tap DOWN\n25000 tap RETURN\n27000 tap RETURN\n30000 button 9 down\n30300 button 9 up\n"
    // Back out to the main menu, then level 1 from the level menu.
    "34000 tap ESCAPE\n36000 tap ESCAPE\n38000 tap ESCAPE\n"
    "41000 tap UP\n41500 tap UP\n42000 tap UP\n43000 tap RETURN\n46000 tap RETURN\n49000 tap RETURN\n"
    // In the game: the stick right, then the laser's button.
    "56000 axis X 32767\n57000 axis X 0\n58000 button 1 down\n58400 button 1 up\n";

TEST(JoystickScenario, ChosenBoundAndPlayed) {
  SimOptions options = test::Scripted(kScript, 62000);
  options.joysticks = 1;
  test::ProgramRun run(std::move(options));
  run.Run();
  const Game& game = run.sim.game;
  EXPECT_EQ(game.player.controllerMode, 1);
  EXPECT_GE(run.TimeOf("joystick open"), 10000);
  const auto keymap = run.PlayerFile(kKeyMapFileName);
  ASSERT_TRUE(keymap);
  EXPECT_EQ((*keymap)[6 * kMoveLeft + 4], 9);
  EXPECT_TRUE(game.state.GameActive);
  EXPECT_GT(game.state.ShipX, kShipStartX) << "the stick moved the ship right";
  int shots = 0;
  for (const std::string& line : run.Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "play" && l.ms >= 58000 && l.rest.rfind("sounds/laser.wav", 0) == 0) ++shots;
  }
  EXPECT_GE(shots, 1) << "the laser's button fired";
  if (HasFailure()) {
    for (const std::string& line : run.Lines()) std::cerr << line << "\n";
  }
}

}  // namespace
}  // namespace sb
