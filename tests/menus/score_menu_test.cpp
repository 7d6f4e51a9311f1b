// The score board's menu, walked by key presses from the main menu on the
// simulated host, with the board's replies scripted.

#include "scoreboard/score_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "menus/program_run.h"
#include "platform/player_file.h"
#include "platform/score_codec.h"
#include "platform/settings.h"
#include "sound/speech.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// Down three times to the score board and Enter: its opening ends at 4000 ms.
constexpr const char* kOpenBoard = "1500 tap DOWN\n2000 tap DOWN\n2500 tap DOWN\n3000 tap RETURN\n";
const Heard kBoardOpening = {"system/menu/hsn-menu.wav", "system/menu/bleep.wav", "system/menu/hsnyhs.wav"};

struct BoardRun {
  std::string script;  // after the opening
  int32_t best = 0;
  std::vector<std::optional<ScriptedReply>> replies;
  std::vector<std::string> missing;
  int32_t untilMs = 12000;
};

BoardRun Board(std::string script, int32_t best = 0, std::vector<std::optional<ScriptedReply>> replies = {},
               std::vector<std::string> missing = {}, int32_t untilMs = 12000) {
  return {std::move(script), best, std::move(replies), std::move(missing), untilMs};
}

std::unique_ptr<test::ProgramRun> RunBoard(const BoardRun& b) {
  SimOptions options = test::Scripted(kOpenBoard + b.script, b.untilMs);
  options.httpReplies = b.replies;
  options.missing = b.missing;
  auto run = std::make_unique<test::ProgramRun>(options);
  PlayerRecord record;
  record.personalBest = b.best;
  if (b.best > 0) record.encodedBest = std::to_string(static_cast<int64_t>(EncodeScore(b.best)));
  FileStore& folder = run->sim.host.Files(Folder::Player);
  folder.Write(kPlayerFileName, EncodePlayerFile(record));
  folder.Write(kKeyMapFileName, *run->sim.host.Files(Folder::Program).Read(kKeyMapFileName));
  run->Run();
  return run;
}

// What was heard from the board's opening on.
Heard InBoard(const test::ProgramRun& run) {
  const Heard heard = run.Heard();
  const auto start = std::find(heard.begin(), heard.end(), "system/menu/hsn-menu.wav");
  return Heard(start, heard.end());
}

Heard Then(std::initializer_list<std::string> more) {
  Heard out = kBoardOpening;
  out.insert(out.end(), more);
  return out;
}

Heard NumberWords(int32_t n) {
  test::SimGame reference;
  SpeakNumber(reference.game, n);
  return reference.Played();
}

struct BoardCase {
  const char* name;
  BoardRun run;
  Heard heard;
  std::vector<std::string> requests;  // "http <url>" lines
  std::vector<std::string> clipboard;
};

class ScoreBoardMenu : public testing::TestWithParam<BoardCase> {};

TEST_P(ScoreBoardMenu, Walks) {
  const BoardCase& c = GetParam();
  const auto board = RunBoard(c.run);
  const test::ProgramRun& run = *board;
  EXPECT_EQ(InBoard(run), c.heard);
  std::vector<std::string> requests;
  for (const std::string& line : run.Log({"http"})) requests.push_back(line.substr(0, line.find(' ', 5)));
  EXPECT_EQ(requests, c.requests);
  EXPECT_EQ(run.Log({"clipboard"}), c.clipboard);
  EXPECT_FALSE(run.exitCode);
}

const std::string kPost = "http https://board.starbarrow.games/board/subscore.php";
const std::string kCode = "http https://board.starbarrow.games/board/ctc.php";

INSTANTIATE_TEST_SUITE_P(
    Items, ScoreBoardMenu,
    testing::Values(
        BoardCase{"UpFromTheFirstItemIsTheExit", Board("4500 tap UP"), Then({"system/menu/bleep.wav",
                                                                        "system/menu/hsnexit.wav"}), {}, {}},
        BoardCase{"DownFromTheExitIsTheFirstItem", Board("4500 tap UP\n5500 tap DOWN"),
                  Then({"system/menu/bleep.wav", "system/menu/hsnexit.wav", "system/menu/bleep.wav",
                        "system/menu/hsnyhs.wav"}),
                  {},
                  {}},
        BoardCase{"ABestOfZeroIsNotPosted", Board("4500 tap DOWN\n5500 tap RETURN"),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "sounds/invalid.wav"}),
                  {},
                  {}},
        BoardCase{"APostedBest", Board("4500 tap DOWN\n5500 tap RETURN", 1000, {ScriptedReply{200, "success"}}),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/blip.wav",
                        "system/menu/hsnsubsuc.wav"}),
                  {kPost},
                  {}},
        BoardCase{"AnyOtherReplyIsNotPosted", Board("4500 tap DOWN\n5500 tap RETURN\n7000 tap RETURN\n8500 tap RETURN", 1000,
                   {ScriptedReply{200, "Success"}, ScriptedReply{500, "success"}, std::nullopt}),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/blip.wav",
                        "system/menu/hsnsuberr.wav", "system/menu/blip.wav", "system/menu/hsnsuberr.wav",
                        "system/menu/blip.wav", "system/menu/hsnsuberr.wav"}),
                  {kPost, kPost, kPost},
                  {}},
        BoardCase{"TheBoardCodeIsCopied", Board("4500 tap DOWN\n5000 tap DOWN\n6000 tap RETURN", 0,
                   {ScriptedReply{200, "https://board.example/sb"}}),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/bleep.wav",
                        "system/menu/hsnctc.wav", "system/menu/blip.wav", "system/menu/hsncopied.wav"}),
                  {kCode},
                  {"clipboard", "clipboard https://board.example/sb"}},
        BoardCase{"NoBoardCodeBeeps", Board("4500 tap DOWN\n5000 tap DOWN\n6000 tap RETURN", 0, {ScriptedReply{200, ""}}),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/bleep.wav",
                        "system/menu/hsnctc.wav", "system/menu/blip.wav", "sounds/invalid.wav"}),
                  {kCode},
                  {"clipboard", "clipboard"}},
        BoardCase{"EscapeReturnsToTheMainMenu", Board("4500 tap ESCAPE"),
                  Then({"system/menu/bleep.wav", "system/menu/hiscores.wav"}),
                  {},
                  {}},
        BoardCase{"TheExitItemReturnsToTheMainMenu", Board("4500 tap UP\n5500 tap RETURN"),
                  Then({"system/menu/bleep.wav", "system/menu/hsnexit.wav", "system/menu/bleep.wav",
                        "system/menu/hiscores.wav"}),
                  {},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScoreBoardMenu, TheFirstItemSpeaksTheBest) {
  const auto run = RunBoard(Board("4500 tap RETURN", 1000));
  Heard expected = kBoardOpening;
  for (const std::string& word : NumberWords(1000)) expected.push_back(word);
  EXPECT_EQ(InBoard(*run), expected);
}

// No confirmation: the best is 0 at once, in the player file too, and the
// first item then speaks zero.
TEST(ScoreBoardMenu, TheResetStoresZeroAtOnce) {
  const auto run = RunBoard(Board("4500 tap UP\n5000 tap UP\n6000 tap RETURN\n7000 tap DOWN\n7500 tap DOWN\n"
                                    "8500 tap RETURN",
                                    1000));
  const auto file = run->PlayerFile(kPlayerFileName);
  ASSERT_TRUE(file);
  EXPECT_EQ(DecodePlayerFile(*file).record.personalBest, 0);
  Heard expected = Then({"system/menu/bleep.wav", "system/menu/hsnexit.wav", "system/menu/bleep.wav",
                         "system/menu/hsnreseths.wav", "system/menu/hsnhsreset.wav", "system/menu/bleep.wav",
                         "system/menu/hsnexit.wav", "system/menu/bleep.wav", "system/menu/hsnyhs.wav"});
  for (const std::string& word : NumberWords(0)) expected.push_back(word);
  EXPECT_EQ(InBoard(*run), expected);
}

// An error inside the menu is shown in a box naming the routine: in the
// menu itself it ends the menu, in an item's announcement only that.
TEST(ScoreBoardMenu, AnErrorInsideIsShownAndTheProgramGoesOn) {
  const struct {
    const char* missing;
    const char* script;
    const char* box;
    Heard last;
  } cases[] = {
      {"system/menu/hsn-menu.wav", "",
       "msgbox An error has occurred in this application.  Procedure: ScoreMenu.  Error Number: 53 - File not found: "
       "system/menu/hsn-menu.wav.  Please report",
       {"system/menu/bleep.wav", "system/menu/hiscores.wav"}},
      {"system/menu/hsnyhs.wav", "4500 tap DOWN",
       "msgbox An error has occurred in this application.  Procedure: SpeakScoreMenu.  Error Number: 53 - File not "
       "found: system/menu/hsnyhs.wav.  Please report",
       {"system/menu/hsn-menu.wav", "system/menu/bleep.wav", "system/menu/bleep.wav", "system/menu/hsnsubmiths.wav"}},
  };
  for (const auto& c : cases) {
    const auto run = RunBoard(Board(c.script, 0, {}, {c.missing}, 8000));
    std::vector<std::string> boxes;
    for (const std::string& line : run->Lines()) {
      const test::LogLine l = test::ParseLogLine(line);
      if (l.op == "msgbox") boxes.push_back(l.op + " " + l.rest);
    }
    ASSERT_EQ(boxes.size(), 1u) << c.missing;
    EXPECT_EQ(boxes[0].rfind(c.box, 0), 0u) << boxes[0];
    const Heard heard = run->Heard();
    ASSERT_GE(heard.size(), c.last.size());
    EXPECT_EQ(Heard(heard.end() - static_cast<std::ptrdiff_t>(c.last.size()), heard.end()), c.last) << c.missing;
    EXPECT_FALSE(run->exitCode);
  }
}

}  // namespace
}  // namespace sb
