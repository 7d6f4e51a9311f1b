#include <gtest/gtest.h>

#include "input/input.h"
#include "platform/key_map.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using test::Down;
using test::Up;

struct Input : ::testing::Test {
  void SetUpGame(std::vector<ScriptEvent> script) {
    SimOptions options;
    options.script = std::move(script);
    sim = std::make_unique<test::SimGame>(options);
    test::UseDefaultActions(sim->game);
  }
  // Polls once per virtual millisecond until `ms`, calling `each` after every poll.
  template <typename F>
  void RunUntil(int32_t ms, F each) {
    while (sim->host.Ticks() < ms) {
      sim->host.AdvanceMs(1);
      PollInput(sim->game);
      each();
    }
  }
  std::unique_ptr<test::SimGame> sim;
};

// A key held across a change of menu acts once: the first menu latches it and
// the latch holds until the key is released.
TEST_F(Input, AHeldKeyActsOnceUntilReleased) {
  SetUpGame({Down(10, dik::RETURN), Up(100, dik::RETURN), Down(150, dik::RETURN), Up(160, dik::RETURN)});
  InputState& input = sim->game.input;
  int presses = 0;
  RunUntil(200, [&] {
    if (KeyPressed(input, dik::RETURN)) {
      ++presses;
      input.keyLatch[dik::RETURN] = true;
    }
  });
  EXPECT_EQ(presses, 2);
  EXPECT_FALSE(input.keyLatch[dik::RETURN]) << "released keys lose their latch";
}

TEST_F(Input, ActionFlagsFollowTheirKeys) {
  SetUpGame({Down(10, dik::LCONTROL), Down(10, dik::SPACE), Up(50, dik::LCONTROL), Up(50, dik::SPACE)});
  InputState& input = sim->game.input;
  RunUntil(20, [] {});
  EXPECT_TRUE(input.actions[kLaser].active);
  EXPECT_TRUE(input.actions[kFireMissile].active);
  EXPECT_TRUE(input.actions[kTractor].active) << "two actions may share a key";
  // Game code consumes the missile once; its latch holds while Space is down.
  input.actionLatch[kFireMissile] = true;
  input.actions[kFireMissile].active = false;
  RunUntil(40, [] {});
  EXPECT_TRUE(input.actionLatch[kFireMissile]);
  RunUntil(60, [] {});
  EXPECT_FALSE(input.actions[kLaser].active);
  EXPECT_FALSE(input.actionLatch[kFireMissile]) << "released: the next press acts again";
}

TEST_F(Input, ALatchedKeyDoesNotRaiseItsActionAgain) {
  SetUpGame({Down(10, dik::RETURN)});
  InputState& input = sim->game.input;
  RunUntil(12, [] {});
  input.keyLatch[dik::RETURN] = true;  // a menu acted on Enter
  input.actions[kUseNuke].active = false;
  RunUntil(30, [] {});
  EXPECT_FALSE(input.actions[kUseNuke].active);
}

TEST_F(Input, ButtonsOfLaserKeepFiringOthersNeedAFreshPress) {
  SetUpGame({});
  InputState& input = sim->game.input;
  input.joyButtons[1] = 1;  // laser's default button
  input.buttonLatch[1] = true;
  input.joyButtons[0] = 1;  // missile's default button
  input.buttonLatch[0] = true;
  UpdateActionFlags(input);
  EXPECT_TRUE(input.actions[kLaser].active);
  EXPECT_FALSE(input.actions[kFireMissile].active);
}

// A lost keyboard is re-acquired on the poll that finds it lost; that poll
// keeps the previous snapshot and the next one hears the keys again.
TEST_F(Input, ALostKeyboardIsReacquiredAndHeardAgain) {
  SetUpGame(test::Script("10 down LCONTROL\n20 keyboard lost\n20 up LCONTROL\n30 down SPACE\n"));
  InputState& input = sim->game.input;
  RunUntil(19, [] {});
  EXPECT_TRUE(input.actions[kLaser].active);
  RunUntil(20, [] {});
  EXPECT_EQ(sim->Log({"keyboard"}), (std::vector<std::string>{"keyboard reacquire"}));
  EXPECT_TRUE(KeyDown(input, dik::LCONTROL)) << "the poll that lost the keyboard keeps the last snapshot";
  RunUntil(31, [] {});
  EXPECT_FALSE(input.actions[kLaser].active);
  EXPECT_TRUE(input.actions[kFireMissile].active);
  EXPECT_EQ(sim->Log({"keyboard"}).size(), 1u) << "re-acquired once";
}

TEST(Modifiers, AreReadFromTheSnapshot) {
  const struct {
    uint8_t key;
    bool ModifierFlags::*flag;
  } cases[] = {{dik::LCONTROL, &ModifierFlags::leftCtrl},  {dik::RCONTROL, &ModifierFlags::rightCtrl},
               {dik::LMENU, &ModifierFlags::alt},          {dik::RMENU, &ModifierFlags::alt},
               {dik::LSHIFT, &ModifierFlags::leftShift},   {dik::RSHIFT, &ModifierFlags::rightShift}};
  for (const auto& c : cases) {
    InputState input;
    input.keys[c.key] = 0x80;
    EXPECT_TRUE(ReadModifierKeys(input)) << int(c.key);
    EXPECT_TRUE(input.modifiers.*c.flag) << int(c.key);
  }
  InputState none;
  none.keys[dik::A] = 0x80;
  EXPECT_FALSE(ReadModifierKeys(none));
}

}  // namespace
}  // namespace sb
