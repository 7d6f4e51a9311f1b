#include "hosts/sim_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/dik.h"

namespace sb {
namespace {

std::vector<ScriptEvent> Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseScript(in);
}

TEST(SimScript, ReadsKeysAndTapsInTimeOrder) {
  const auto events = Parse("# a comment\n\n300 down LCONTROL\n100 tap escape\n120 up F12\n");
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
  const auto events = Parse("2147483640 tap A\n");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].ms, INT32_MAX);
}

TEST(SimScript, RejectsWhatItCannotRead) {
  for (const char* bad : {"abc down A", "-5 down A", "10 press A", "10 down NOSUCHKEY", "10 down A extra", "10"}) {
    EXPECT_THROW(Parse(bad), std::invalid_argument) << bad;
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

}  // namespace
}  // namespace sb
