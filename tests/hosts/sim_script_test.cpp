#include "hosts/sim_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "hosts/script_feed.h"
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

// The last time a script may name leaves a day of the clock in hand: a tap's
// release there comes 50 ms later as it does anywhere.
TEST(SimScript, ATapAtTheLastTimeKeepsItsRelease) {
  const auto events = Script(std::to_string(kLatestScriptMs) + " tap A\n");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(kLatestScriptMs, 2061083647);
  EXPECT_EQ(events[1].ms, kLatestScriptMs + 50);
}

std::string ErrorOf(const std::string& script) {
  try {
    Script(script);
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "(read without an error)";
}

// A time the clock cannot reach is refused, not wrapped; the message shows
// the whole line, control bytes and all, on one line.
TEST(SimScript, RefusesTimesBeyondTheClockAndShowsTheWholeLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"2061083648 run", "script line 1 (2061083648 run): a time goes from 0 to 2061083647 ms, not 2061083648"},
      {"2147483647 run", "script line 1 (2147483647 run): a time goes from 0 to 2061083647 ms, not 2147483647"},
      {"# wraps to 1000 in 32 bits\n4294968296 tap A",
       "script line 2 (4294968296 tap A): a time goes from 0 to 2061083647 ms, not 4294968296"},
      {"99999999999999999999999 down A",
       "script line 1 (99999999999999999999999 down A): a time goes from 0 to 2061083647 ms, not "
       "99999999999999999999999"},
      {"-1 down A", "script line 1 (-1 down A): expected a time in milliseconds"},
      {"+10 down A", "script line 1 (+10 down A): expected a time in milliseconds"},
      {"10ms down A", "script line 1 (10ms down A): expected a time in milliseconds"},
      {"1e3 down A", "script line 1 (1e3 down A): expected a time in milliseconds"},
      {std::string("10 down A\0B", 11), "script line 1 (10 down A\\x00B): unknown key 'A\\x00B'"},
      {std::string("10\0 down A", 10), "script line 1 (10\\x00 down A): expected a time in milliseconds"},
      {"10 down \x1b[2J\x01", "script line 1 (10 down \\x1B[2J\\x01): unknown key '\\x1B[2J\\x01'"},
      {"10 down A\\", "script line 1 (10 down A\\\\): unknown key 'A\\\\'"},
      {"10 axis X 1\x7f", "script line 1 (10 axis X 1\\x7F): an axis goes from -32768 to 32767, not '1\\x7F'"},
      {"10 button +3 down", "script line 1 (10 button +3 down): a button is 0 to 31, not '+3'"},
  };
  for (const auto& [script, message] : cases) EXPECT_EQ(ErrorOf(script), message) << script;
}

// In lockstep a line for a time the clock has passed is named the same way.
TEST(SimScript, ALockstepLineTooLateIsShownWhole) {
  std::istringstream in("0 run\n500 run\n100 tap LEFT\x0b\r\n");
  ScriptFeed feed(in, nullptr);
  EXPECT_FALSE(feed.NextDue(0));
  try {
    feed.NextDue(500);
    ADD_FAILURE() << "a line for 100 ms was taken at 500 ms";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "script line 3 (100 tap LEFT\\x0B\\r): the clock is at 500 ms already");
  }
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
      "50 joystick plug\n60 joystick unplug\n70 joystick unplug 3\n80 joystick fail 2\n90 keyboard lost\n"
      "100 focus lost\n110 focus gained\n");
  ASSERT_EQ(events.size(), 11u);
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
  EXPECT_EQ(events[9].kind, K::FocusLost);
  EXPECT_EQ(events[10].kind, K::FocusGained);
}

TEST(JoystickScript, RejectsWhatItCannotRead) {
  for (const char* bad : {"10 axis Z 0", "10 axis X 32768", "10 axis X -32769", "10 axis X", "10 axis X 1.5",
                          "10 button 32 down", "10 button -1 down", "10 button 3 press", "10 button 3",
                          "10 button 3 down on 0", "10 button 3 down on 11", "10 button 3 down by 2",
                          "10 joystick", "10 joystick plug 2", "10 joystick unplug x", "10 joystick yank",
                          "10 joystick fail 0", "10 joystick fail 1 2", "10 keyboard", "10 keyboard lost 1",
                          "10 keyboard found", "10 focus", "10 focus out", "10 focus lost 1", "10 focus LOST"}) {
    EXPECT_THROW(Script(bad), std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace sb
