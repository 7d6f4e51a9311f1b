// The manifest reader: good rows are read field by field; a bad row is
// refused with its line number and the reason, never half-read.

#include <gtest/gtest.h>

#include <string>

#include "manifest.h"
#include "script.h"

namespace soundtree {
namespace {

const char* kGoodRow = "sounds/shield.wav | effect | once | 1 | 3.0 | shield peak=0.8 | lasts while it plays";

TEST(Manifest, ReadsEveryFieldOfARow) {
  const sg::Manifest m = sg::ParseManifest(
      "# a comment\n\n"
      "system\\menu\\Level.wav | speech | once | 1 | <=1.5 | Level | before the number\n"
      "sounds/aCyan.wav | effect | loop | 1 | 1.6 | voice_cyan | cyan alien\n",
      "test");
  ASSERT_EQ(m.entries.size(), 2u);
  const sg::Entry& level = m.entries[0];
  EXPECT_EQ(level.line, 3);
  EXPECT_EQ(level.path, "system\\menu\\Level.wav");
  EXPECT_EQ(level.file, "system/menu/level.wav");
  EXPECT_EQ(level.kind, sg::Kind::kSpeech);
  EXPECT_FALSE(level.exact_length);
  EXPECT_DOUBLE_EQ(level.seconds, 1.5);
  const sg::Entry& cyan = m.entries[1];
  EXPECT_TRUE(cyan.loop);
  EXPECT_TRUE(cyan.exact_length);
  EXPECT_EQ(cyan.content, "voice_cyan");
  // Found the way the program's resolver finds names.
  EXPECT_EQ(m.Find("SOUNDS\\ACYAN.WAV"), &cyan);
  EXPECT_EQ(m.Find("sounds/acyan.mp3"), nullptr);
}

TEST(Manifest, RefusesBadRowsWithTheirLineAndReason) {
  struct Case {
    std::string row;
    std::string reason;
  } const cases[] = {
      {"sounds/a.wav | effect | once | 1 | 3.0 | shield", "expected 7 columns"},
      {"sounds/a.wav | noise | once | 1 | 3.0 | shield | why", "unknown kind 'noise'"},
      {"sounds/a.wav | effect | twice | 1 | 3.0 | shield | why", "unknown play 'twice'"},
      {"sounds/a.wav | effect | once | 6 | 3.0 | shield | why", "channels must be 1 or 2"},
      {"sounds/a.wav | effect | once | 1 | three | shield | why", "length must be seconds"},
      {"sounds/a.wav | effect | once | 1 | -1 | shield | why", "length must be seconds"},
      {"sounds/a.wav | effect | once | 1 | nan | shield | why", "length must be seconds"},
      {"sounds/a.wav | effect | once | 1 | <=3 | shield | why", "need an exact length"},
      {"sounds/a.wav | speech | once | 1 | 3.0 | Hello | why", "upper bounds"},
      {"sounds/a.wav | speech | loop | 1 | <=3 | Hello | why", "only effects and music can loop"},
      {"sounds/a.wav | effect | once | 1 | 3.0 | shield | ", "say why"},
      {"sounds/a.wav | effect | once | 1 | 3.0 |  | why", "empty content"},
      {"sounds/a.ogg | effect | once | 1 | 3.0 | shield | why", "must end in .wav or .mp3"},
      {"sounds/a.wav | mp3 | once | 1 | <=3 | script=x | why", "only mp3 rows"},
      {"../a.wav | effect | once | 1 | 3.0 | shield | why", "inside the tree"},
      {"/etc/a.wav | effect | once | 1 | 3.0 | shield | why", "must be relative"},
      {"sounds/a b.wav | effect | once | 1 | 3.0 | shield | why", "space"},
  };
  for (const Case& c : cases) {
    try {
      sg::ParseManifest(std::string(kGoodRow) + "\n" + c.row + "\n", "manifest.txt");
      ADD_FAILURE() << "accepted: " << c.row;
    } catch (const sg::ManifestError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("manifest.txt:2:"), std::string::npos) << what;
      EXPECT_NE(what.find(c.reason), std::string::npos) << "row: " << c.row << "\nmessage: " << what;
    }
  }
}

TEST(Manifest, RefusesTheSameFileNamedTwice) {
  // The program's resolver ignores case and slash style, so these are one file.
  const std::string text = std::string(kGoodRow) + "\n" +
                           "SOUNDS\\Shield.wav | effect | once | 1 | 3.0 | shield | again\n";
  try {
    sg::ParseManifest(text, "manifest.txt");
    FAIL() << "accepted a duplicate";
  } catch (const sg::ManifestError& e) {
    EXPECT_NE(std::string(e.what()).find("same file as line 1"), std::string::npos) << e.what();
  }
}

TEST(Manifest, RefusesAnEmptyManifest) {
  EXPECT_THROW(sg::ParseManifest("# nothing here\n", "manifest.txt"), sg::ManifestError);
}

TEST(Manifest, SplitsAPromptIntoWordsAndSounds) {
  const sg::SpeechContent then = sg::ParseSpeechContent("Green alien. then: sounds/agreen.wav for=2.5, sounds/x.wav descend");
  EXPECT_EQ(then.words, "Green alien.");
  ASSERT_EQ(then.then.size(), 2u);
  EXPECT_EQ(then.then[0].name, "sounds/agreen.wav");
  EXPECT_DOUBLE_EQ(then.then[0].Num("for", 0), 2.5);
  EXPECT_TRUE(then.then[1].Flag("descend"));
  EXPECT_FALSE(then.over);

  const sg::SpeechContent over = sg::ParseSpeechContent("Wave complete! over: chime_sweep len=2.2");
  EXPECT_EQ(over.words, "Wave complete!");
  ASSERT_TRUE(over.over);
  EXPECT_EQ(over.over->name, "chime_sweep");

  EXPECT_THROW(sg::ParseSpeechContent("then: sounds/a.wav"), std::invalid_argument);
  EXPECT_THROW(sg::ParseSpeechContent("Hi then: a.wav over: bed"), std::invalid_argument);
  EXPECT_THROW(sg::ParseCall("recipe peak="), std::invalid_argument);
  EXPECT_THROW(sg::ParseCall("recipe peak=loud").Num("peak", 0), std::invalid_argument);
}

TEST(Manifest, ReadsScriptsAndRefusesBadLines) {
  const sg::Script s = sg::ParseScript("# intro\nHello.\n\nplay: sounds/a.wav for=2\npause: 1.5\n", "intro.txt");
  ASSERT_EQ(s.steps.size(), 4u);
  EXPECT_EQ(s.steps[0].kind, sg::ScriptStep::kSay);
  EXPECT_EQ(s.steps[1].kind, sg::ScriptStep::kPause);
  EXPECT_EQ(s.steps[2].sound.name, "sounds/a.wav");
  EXPECT_DOUBLE_EQ(s.steps[3].seconds, 1.5);

  for (const char* bad : {"Hi\npause: soon\n", "Hi\npause: -2\n", "Hi\nplay:\n", "# only a comment\n"}) {
    EXPECT_THROW(sg::ParseScript(bad, "intro.txt"), sg::ManifestError) << bad;
  }
}

}  // namespace
}  // namespace soundtree
