#include "platform/score_codec.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ScoreCodec, EncodesAndDecodesKnownValues) {
  EXPECT_EQ(EncodeScore(100), 230952);
  EXPECT_EQ(DecodeScore(230952), 100);
  EXPECT_EQ(DecodeScore(230953), 0) << "not a value EncodeScore makes";
  EXPECT_EQ(EncodeScore(0), 0);
  EXPECT_EQ(DecodeScore(0), 0);
  EXPECT_EQ(EncodeScore(-5), 0);
  EXPECT_EQ(DecodeScore(-230952), 0);
}

TEST(ScoreCodec, Base36Digits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0, "0"}, {9, "9"}, {10, "A"}, {35, "Z"}, {36, "10"}, {1295, "ZZ"}, {230952, "4Y7C"},
               {2821109907455.0, "ZZZZZZZZ"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ToBase36(c.value), c.text) << c.value;
    EXPECT_EQ(FromBase36(c.text), c.value) << c.text;
  }
  EXPECT_EQ(FromBase36(""), 0);
  EXPECT_EQ(FromBase36("a"), 'a' - 55) << "other characters count as their code minus 55";
}

// What the saved game stores: every field survives the trip, any tampering
// gives 0, and nothing read back exceeds the field it fills.
TEST(ScoreCodec, StoredValuesSurviveAndTamperingGivesZero) {
  for (const int64_t value : {0LL, 1LL, 5LL, 150LL, 4000LL, 1234567LL, 2147483647LL}) {
    EXPECT_EQ(DecodeStored(ToBase36(EncodeScore(static_cast<double>(value))), 0, INT32_MAX), value);
  }
  std::string text = ToBase36(EncodeScore(100));
  text.back() = text.back() == 'Z' ? 'Y' : static_cast<char>(text.back() + 1);
  // Anything that is not a whole number within the field's range restores as 0.
  const struct {
    std::string text;
    int64_t low, high;
    const char* why;
  } tampered[] = {
      {text, 0, INT32_MAX, "one digit changed: not a whole number"},
      {"F", 0, INT32_MAX, "15 decodes to -10897"},
      {ToBase36(EncodeScore(300)), 0, 255, "above the field's range"},
      {ToBase36(EncodeScore(3)), 4, 8, "below the field's range"},
      {std::string(400, 'Z'), 0, 255, "an absurd text"},
  };
  for (const auto& t : tampered) EXPECT_EQ(DecodeStored(t.text, t.low, t.high), 0) << t.why;
  EXPECT_EQ(DecodeInRange(230952, 0, INT32_MAX), 100);
  EXPECT_EQ(DecodeInRange(15, 0, INT32_MAX), 0);
}

TEST(ScoreCodec, LeadingNumberReadsDigitsOnly) {
  EXPECT_EQ(LeadingNumber("230952"), 230952);
  EXPECT_EQ(LeadingNumber("12ab"), 12);
  EXPECT_EQ(LeadingNumber("x12"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
}

}  // namespace
}  // namespace sb
