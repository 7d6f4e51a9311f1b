#include "audio/captions.h"

#include <gtest/gtest.h>

#include <cctype>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "sound/speech.h"

namespace sb {
namespace {

TEST(CaptionFor, FindsTheWordsOfSpokenRecordingsOnly) {
  const struct {
    const char* file;
    const char* words;  // null: no caption
  } cases[] = {
      {"sounds/d_1.wav", "One"},
      {"SOUNDS\\D_1.WAV", "One"},               // names as the program writes them
      {"sounds\\sb.wav", "Starbarrow!"},        // the bed under the title is not words
      {"sounds/d_wavcom.wav", "Wave complete!"},  // a ";" in the line's last field
      {"sounds/numbers/40.wav", "forty"},
      {"sounds/tractor.wav", nullptr},          // an effect
      {"sounds/nothing.wav", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const auto words = CaptionFor(c.file);
    if (c.words) {
      ASSERT_TRUE(words) << c.file;
      EXPECT_EQ(*words, c.words) << c.file;
    } else {
      EXPECT_FALSE(words) << c.file;
    }
  }
}

TEST(CaptionFor, TableHoldsWordsForNormalisedPaths) {
  ASSERT_GT(kCaptionTableSize, 100u);
  for (size_t i = 0; i < kCaptionTableSize; ++i) {
    const std::string path = kCaptionTable[i].path;
    const std::string words = kCaptionTable[i].words;
    EXPECT_FALSE(words.empty()) << path;
    EXPECT_EQ(words.find('|'), std::string::npos) << path;
    EXPECT_EQ(words.find("over:"), std::string::npos) << path;
    EXPECT_EQ(words.find("then:"), std::string::npos) << path;
    for (char c : path) EXPECT_TRUE(c != '\\' && !std::isupper(static_cast<unsigned char>(c))) << path;
  }
}

// Sees what a real host would caption, on the simulated clock.
struct CaptioningHost : SimHost {
  CaptioningHost() : SimHost(SimOptions{}) {}
  void SpeechStarted(std::string_view file) override { line.Started(file); }
  CaptionLine line;
};

TEST(CaptionLine, SpokenNumberIsOneLine) {
  const struct {
    int32_t n;
    const char* text;
  } cases[] = {
      {0, "zero"},
      {7, "seven"},
      {40, "forty"},
      {115, "one hundred fifteen"},
      {12345, "twelve thousand three hundred forty-five"},
      {21000021, "twenty-one million twenty-one"},
  };
  for (const auto& c : cases) {
    CaptioningHost host;
    Game game(host);
    game.sound.Start();
    PlaySound(game, "sounds/d_cursco.wav", 0, true);
    EXPECT_EQ(host.line.Text(), "Your score is");
    SpeakNumber(game, c.n);
    EXPECT_EQ(host.line.Text(), c.text) << c.n;
  }
}

TEST(CaptionLine, PromptsReplaceAndEffectsLeaveTheLine) {
  CaptionLine line;
  EXPECT_TRUE(line.Started("sounds/numbers/20.wav"));
  EXPECT_FALSE(line.Started("sounds/tractor.wav"));
  EXPECT_EQ(line.Text(), "twenty");
  // A number after another prompt starts a new line, and after it a new
  // number does not join the old one.
  EXPECT_TRUE(line.Started("sounds/d_level.wav"));
  EXPECT_EQ(line.Text(), "Level");
  EXPECT_TRUE(line.Started("sounds/numbers/5.wav"));
  EXPECT_EQ(line.Text(), "five");
  line.Clear();
  EXPECT_TRUE(line.Started("sounds/numbers/5.wav"));
  EXPECT_EQ(line.Text(), "five");
}

}  // namespace
}  // namespace sb
