#include "hosts/sim_script.h"

#include <gtest/gtest.h>

#include "platform/dik.h"
#include "support/script.h"

namespace sb {
namespace {

using test::Script;

TEST(SimScript, ReadsKeysAndTapsInTimeOrder) {
  const auto events = Script("# a comment\n\n300 down LCONTROL\n100 tap escape\n120 up F12\n");
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].ms, 100);
  EXPECT_EQ(events[0].key, dik::ESCAPE);
  EXPECT_EQ(events[0].kind, ScriptEvent::Kind::KeyDown);
  EXPECT_EQ(events[1].ms, 120);
  EXPECT_EQ(events[1].key, dik::F12);
  EXPECT_EQ(events[2].ms, 150);
  EXPECT_EQ(events[2].kind, ScriptEvent::Kind::KeyUp);
  EXPECT_EQ(events[3].key, dik::LCONTROL);
}

TEST(SimScript, ATapAtTheEndOfTimeStaysInTime) {
  const auto events = Script("2147483640 tap A\n");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].ms, INT32_MAX);
}

TEST(SimScript, RejectsWhatItCannotRead) {
  for (const char* bad : {"abc down A", "-5 down A", "10 press A", "10 down NOSUCHKEY", "10 down A extra", "10", "10 run on"}) {
    EXPECT_THROW(Script(bad), std::invalid_argument) << bad;
  }
}

TEST(DikNames, RoundTripAndAliases) {
  for (int code = 0; code < 256; ++code) {
    const auto name = dik::Name(static_cast<uint8_t>(code));
    if (!name.empty()) {
      EXPECT_EQ(dik::FromName(name), code) << name;
    }
  }
  EXPECT_EQ(dik::FromName("DIK_BACKSPACE"), dik::BACK);
  EXPECT_EQ(dik::FromName("pgup"), dik::PRIOR);
  EXPECT_EQ(dik::FromName("LEFT"), 203);
  EXPECT_EQ(dik::FromName("RIGHT"), 205);
}

// The script lines that move a simulated controller.
TEST(JoystickScript, ReadsStickButtonAndPlugLines) {
  const auto events = Script(
      "10 axis X -32768\n20 axis y 32767 on 2\n30 button 31 down\n40 button 0 up on 10\n"
      "50 joystick plug\n60 joystick unplug\n70 joystick unplug 3\n80 joystick fail 2\n90 keyboard lost\n");
  ASSERT_EQ(events.size(), 9u);
  using K = ScriptEvent::Kind;
  EXPECT_EQ(events[0].kind, K::Axis);
  EXPECT_EQ(events[0].control, 0);
  EXPECT_EQ(events[0].value, -32768);
  EXPECT_EQ(events[0].joystick, 1);
  EXPECT_EQ(events[1].control, 1);
  EXPECT_EQ(events[1].value, 32767);
  EXPECT_EQ(events[1].joystick, 2);
  EXPECT_EQ(events[2].kind, K::ButtonDown);
  EXPECT_EQ(events[2].control, 31);
  EXPECT_EQ(events[3].kind, K::ButtonUp);
  EXPECT_EQ(events[3].joystick, 10);
  EXPECT_EQ(events[4].kind, K::JoystickPlug);
  EXPECT_EQ(events[5].kind, K::JoystickUnplug);
  EXPECT_EQ(events[5].joystick, 1);
  EXPECT_EQ(events[6].joystick, 3);
  EXPECT_EQ(events[7].kind, K::JoystickFail);
  EXPECT_EQ(events[7].joystick, 2);
  EXPECT_EQ(events[8].kind, K::KeyboardLost);
}

TEST(JoystickScript, RejectsWhatItCannotRead) {
  for (const char* bad : {"10 axis Z 0", "10 axis X 32768", "10 axis X -32769", "10 axis X", "10 axis X 1.5",
                          "10 button 32 down", "10 button -1 down", "10 button 3 press", "10 button 3",
                          "10 button 3 down on 0", "10 button 3 down on 11", "10 button 3 down by 2",
                          "10 joystick", "10 joystick plug 2", "10 joystick unplug x", "10 joystick yank",
                          "10 joystick fail 0", "10 joystick fail 1 2", "10 keyboard", "10 keyboard lost 1",
                          "10 keyboard found"}) {
    EXPECT_THROW(Script(bad), std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace sb
