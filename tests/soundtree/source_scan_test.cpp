// Every recording name that the program's source quotes must be in the
// manifest, so the tree the build makes holds it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manifest.h"
#include "quoted_names.h"

namespace soundtree {
namespace {

std::vector<std::string> Texts(const std::vector<Literal>& literals) {
  std::vector<std::string> out;
  for (const Literal& l : literals) out.push_back(l.text);
  return out;
}

struct LiteralCase {
  const char* source;
  std::vector<std::string> expected;
};

TEST(QuotedNames, FindsTheStringLiteralsOfSource) {
  const LiteralCase cases[] = {
      {R"(Load("sounds/laser.wav");)", {"sounds/laser.wav"}},
      {R"(Play("sounds\\music\\music5.wav");)", {R"(sounds\music\music5.wav)"}},
      {R"(// "sounds/commented.wav"
          /* "sounds/also.wav" */ Play("sounds/real.wav");)",
       {"sounds/real.wav"}},
      {R"(char q = '"'; Play("system\\menu\\Level.wav");)", {R"(system\menu\Level.wav)"}},
      {R"(Play("sounds/" "joined.wav");)", {"sounds/joined.wav"}},
      {R"(Play("sounds/" /* spread */ "joined.wav");)", {"sounds/joined.wav"}},
      {R"(f("a", "b");)", {"a", "b"}},
      {"auto s = R\"x(sounds\\raw.wav)x\";", {R"(sounds\raw.wav)"}},
      {R"(int n = 1'000; Play("sounds/after.wav");)", {"sounds/after.wav"}},
      {R"(Say("say \"quoted\" words");)", {R"(say "quoted" words)"}},
  };
  for (const LiteralCase& c : cases) {
    EXPECT_EQ(Texts(StringLiterals(c.source)), c.expected) << "source: " << c.source;
  }
}

TEST(QuotedNames, CountsLinesToEachLiteral) {
  const auto literals = StringLiterals("int a;\n/* two\nlines */\nPlay(\"sounds/x.wav\");\n");
  ASSERT_EQ(literals.size(), 1u);
  EXPECT_EQ(literals[0].line, 4);
}

TEST(QuotedNames, RecognisesRecordingNames) {
  struct Case {
    const char* literal;
    bool names;
  } const cases[] = {
      {"sounds/laser.wav", true},       {R"(SYSTEM\MENU\INTRO.MP3)", true}, {"newgame.wav", true},
      {".wav", false},                  {"sounds/hitside", false},          {"sounds/%d.wav", false},
      {"sounds/{}.wav", false},         {"sounds/", false},                 {"keymap.sbk", false},
      {"a wav file", false},
  };
  for (const Case& c : cases) EXPECT_EQ(NamesRecording(c.literal), c.names) << c.literal;
}

// A name without a folder (a menu table joined to its folder at run time)
// is found by its file name anywhere in the tree.
bool InManifest(const sg::Manifest& m, const std::string& name) {
  if (name.find_first_of("/\\") != std::string::npos) return m.Find(name) != nullptr;
  const std::string file = sg::NormalizeName(name);
  for (const sg::Entry& e : m.entries) {
    if (e.file == file || e.file.ends_with("/" + file)) return true;
  }
  return false;
}

TEST(QuotedNames, EveryRecordingTheProgramNamesIsInTheManifest) {
  const sg::Manifest manifest = sg::LoadManifest(SB_MANIFEST_PATH);
  std::string missing;
  for (const QuotedName& q : QuotedRecordings(SB_SOURCE_DIR)) {
    if (!InManifest(manifest, q.name)) missing += q.file.string() + ":" + std::to_string(q.line) + ": " + q.name + "\n";
  }
  EXPECT_TRUE(missing.empty()) << "the program names recordings that tools/soundgen/manifest.txt lacks:\n" << missing;
}

}  // namespace
}  // namespace soundtree
