// The score board's menu, walked by key presses from the main menu on the
// simulated host, with the board's replies scripted.

#include "scoreboard/score_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "game/settings.h"
#include "menus/program_run.h"
#include "platform/player_file.h"
#include "platform/score_codec.h"
#include "sound/speech.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// Down three times to the score board and Enter: its opening ends at 4000 ms.
constexpr const char* kOpenBoard = "1500 tap DOWN\n2000 tap DOWN\n2500 tap DOWN\n3000 tap RETURN\n";
const Heard kBoardOpening = {"system/menu/hsn-menu.wav", "system/menu/bleep.wav", "system/menu/hsnyhs.wav"};

const char* const kBoardSetting = "Starbarrow/ScoreBoard/board_url";
const char* const kNameSetting = "Starbarrow/ScoreBoard/player_name";
// A player who has set up a board and chosen a name.
const std::map<std::string, std::string> kBoardAndName = {{kBoardSetting, "https://board.example.invalid"},
                                                          {kNameSetting, "Ann"}};

struct BoardRun {
  std::string script;  // after the opening
  int32_t best = 0;
  std::vector<std::optional<ScriptedReply>> replies;
  std::vector<std::string> missing;
  int32_t untilMs = 12000;
  std::map<std::string, std::string> settings = kBoardAndName;
};

BoardRun Board(std::string script, int32_t best = 0, std::vector<std::optional<ScriptedReply>> replies = {},
               std::vector<std::string> missing = {}, int32_t untilMs = 12000) {
  return {std::move(script), best, std::move(replies), std::move(missing), untilMs};
}

std::unique_ptr<test::ProgramRun> RunBoard(const BoardRun& b) {
  SimOptions options = test::Scripted(kOpenBoard + b.script, b.untilMs);
  options.httpReplies = b.replies;
  options.missing = b.missing;
  options.settings = b.settings;
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

const std::string kPost = "http https://board.example.invalid/board/subscore.php";
const std::string kCode = "http https://board.example.invalid/board/ctc.php";

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
        // Five replies that are not one address line, then one that is: only
        // that one reaches the clipboard, without its line break.
        BoardCase{"OnlyAnAddressLineIsCopied",
                  Board("4500 tap DOWN\n5000 tap DOWN\n6000 tap RETURN\n7000 tap RETURN\n8000 tap RETURN\n"
                        "9000 tap RETURN\n10000 tap RETURN\n11000 tap RETURN",
                        0,
                        {ScriptedReply{200, "https://board.invalid/sb\nhttps://board.invalid/other"},
                         ScriptedReply{200, "https://board.invalid/sb\nrm -rf ~\n"},
                         ScriptedReply{200, "https://board.invalid/\x1b]52;c;cm0gLXJmIH4=\x07\x1b[2J"},
                         ScriptedReply{200, "https://board.invalid/" + std::string(2000, 'a')},
                         ScriptedReply{200, "ftp://board.invalid/sb"}, ScriptedReply{200, "https://board.invalid/sb\r\n"}},
                        {}, 13000),
                  Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/bleep.wav",
                        "system/menu/hsnctc.wav", "system/menu/blip.wav", "sounds/invalid.wav", "system/menu/blip.wav",
                        "sounds/invalid.wav", "system/menu/blip.wav", "sounds/invalid.wav", "system/menu/blip.wav",
                        "sounds/invalid.wav", "system/menu/blip.wav", "sounds/invalid.wav", "system/menu/blip.wav",
                        "system/menu/hsncopied.wav"}),
                  {kCode, kCode, kCode, kCode, kCode, kCode},
                  {"clipboard", "clipboard", "clipboard", "clipboard", "clipboard", "clipboard", "clipboard",
                   "clipboard", "clipboard", "clipboard", "clipboard", "clipboard https://board.invalid/sb"}},
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

// With no board set up, posting and the board code say so and send nothing,
// whatever the best; no other item changes.
TEST(ScoreBoardMenu, WithNoBoardSetUpNothingIsSent) {
  BoardRun board = Board("4500 tap DOWN\n5500 tap RETURN\n8500 tap DOWN\n9500 tap RETURN", 1000,
                         {ScriptedReply{200, "success"}, ScriptedReply{200, "https://board.example.invalid/sb"}}, {},
                         14000);
  board.settings = {{kNameSetting, "Ann"}};
  const auto run = RunBoard(board);
  EXPECT_EQ(InBoard(*run), Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav", "system/menu/hsnnoboard.wav",
                                 "system/menu/bleep.wav", "system/menu/hsnctc.wav", "system/menu/hsnnoboard.wav"}));
  EXPECT_TRUE(run->Log({"http"}).empty());
  EXPECT_TRUE(run->Log({"clipboard"}).empty()) << "the clipboard is left as it was";
}

// N opens the name screen at 4500 ms; it reads back the name in use and its
// instructions, and takes keys from 9000 ms on.
constexpr const char* kNameKey = "system/menu/hsnname.wav";

Heard FromNameScreen(const test::ProgramRun& run) {
  const Heard heard = run.Heard();
  const auto start = std::find(heard.begin(), heard.end(), kNameKey);
  return start == heard.end() ? Heard{} : Heard(start + 1, heard.end());
}

std::optional<std::string> ChosenName(test::ProgramRun& run) {
  return run.sim.host.ReadSetting("Starbarrow", "ScoreBoard", "player_name");
}

Heard Letters(const std::string& name) {
  Heard out;
  for (const char c : name) {
    if (c >= '0' && c <= '9') {
      out.push_back(c == '0' ? "sounds/numbers/zero.wav" : std::string("sounds/numbers/") + c + ".wav");
    } else if (c == '-') {
      out.push_back("system/menu/letters/dash.wav");
    } else {
      out.push_back(std::string("system/menu/letters/") + static_cast<char>(std::tolower(c)) + ".wav");
    }
  }
  return out;
}

Heard Concat(std::initializer_list<Heard> parts) {
  Heard out;
  for (const Heard& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(NameScreen, KeepsATypedNameAndReadsItBack) {
  const struct {
    const char* name;
    const char* script;
    const char* kept;
    Heard typing;
  } cases[] = {
      {"ShiftForCapitalsDigitsAndDash",
       "9000 down LSHIFT\n9100 tap A\n9300 up LSHIFT\n10000 tap L\n11000 tap MINUS\n12000 tap 1\n13000 tap RETURN",
       "Al-1", Letters("al-1")},
      {"BackspaceTakesBackALetter", "9000 tap A\n10000 tap B\n11000 tap BACK\n12000 tap C\n13000 tap RETURN", "ac",
       Concat({Letters("ab"), {"system/menu/hsndeleted.wav"}, Letters("c")})},
  };
  for (const auto& c : cases) {
    const auto run = RunBoard(Board(std::string("4500 tap N\n") + c.script, 0, {}, {}, 22000));
    EXPECT_EQ(ChosenName(*run), std::optional<std::string>(c.kept)) << c.name;
    EXPECT_EQ(FromNameScreen(*run), Concat({c.typing, {"system/menu/hsnnameis.wav"}, Letters(c.kept),
                                            {"system/menu/bleep.wav", "system/menu/hsnyhs.wav"}}))
        << c.name;
  }
}

// The first post without a chosen name opens the name screen at 5500 ms,
// reading the suggested name (the login name) back; it takes keys from
// 10000 ms on. Enter there keeps the suggested name as the chosen one and the
// score goes out under it, and the next post goes straight out. Escape sends
// nothing and chooses nothing, so the next post asks again.
TEST(NameScreen, TheFirstPostWithoutAChosenNameAsksForOne) {
  const Heard nameRead = Concat({{"system/menu/hsnnameis.wav"}, Letters("player")});
  const Heard asked = Concat({nameRead, {kNameKey}});
  const Heard posted = {"system/menu/blip.wav", "system/menu/hsnsubsuc.wav"};
  const struct {
    const char* name;
    const char* script;
    std::optional<std::string> chosen;
    Heard heard;  // from the post item's first Enter on
    long posts;
  } cases[] = {
      {"EnterConfirmsTheSuggestedName", "11000 tap RETURN\n16000 tap RETURN", "player",
       Concat({asked, nameRead, posted, posted}), 2},
      {"ATypedNameIsTheOnePostedUnder", "11000 tap Z\n12000 tap RETURN", "z",
       Concat({asked, Letters("z"), {"system/menu/hsnnameis.wav"}, Letters("z"), posted}), 1},
      {"EscapeSendsNothing", "11000 tap ESCAPE\n13000 tap RETURN", std::nullopt,
       Concat({asked, {"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav"}, asked}), 0},
  };
  for (const auto& c : cases) {
    BoardRun board = Board(std::string("4500 tap DOWN\n5500 tap RETURN\n") + c.script, 1000,
                           {ScriptedReply{200, "success"}, ScriptedReply{200, "success"}}, {}, 20000);
    board.settings = {{kBoardSetting, "https://board.example.invalid"}};
    const auto run = RunBoard(board);
    EXPECT_EQ(ChosenName(*run), c.chosen) << c.name;
    EXPECT_EQ(InBoard(*run), Concat({Then({"system/menu/bleep.wav", "system/menu/hsnsubmiths.wav"}), c.heard}))
        << c.name;
    std::vector<std::string> requests;
    for (const std::string& line : run->Lines()) {
      if (test::ParseLogLine(line).op == "http") requests.push_back(line);
    }
    EXPECT_EQ(static_cast<long>(requests.size()), c.posts) << c.name;
    const std::string gamer = "gamer=" + c.chosen.value_or("") + "&";
    for (const std::string& r : requests) EXPECT_NE(r.find(gamer), std::string::npos) << c.name << ": " << r;
  }
}

// Escape leaves the chosen name, and it is the one a post goes under.
TEST(NameScreen, EscapeKeepsTheNameAsItWas) {
  BoardRun board = Board("4500 tap N\n7500 tap Q\n8500 tap ESCAPE\n10000 tap DOWN\n11000 tap RETURN", 1000,
                         {ScriptedReply{200, "success"}}, {}, 14000);
  board.settings[kNameSetting] = "Zed";
  const auto run = RunBoard(board);
  EXPECT_EQ(ChosenName(*run), std::optional<std::string>("Zed"));
  const Heard heard = run->Heard();
  const auto nameIs = std::find(heard.begin(), heard.end(), "system/menu/hsnnameis.wav");
  ASSERT_NE(nameIs, heard.end());
  EXPECT_EQ(Heard(nameIs + 1, nameIs + 4), Letters("zed")) << "the name in use is read back first";
  bool postedAsZed = false;
  for (const std::string& line : run->Lines()) postedAsZed |= line.find("gamer=Zed&") != std::string::npos;
  EXPECT_TRUE(postedAsZed);
}

TEST(NameScreen, ANameStopsAtSixtyFourCharacters) {
  std::string script = "4500 tap N\n";
  for (int i = 0; i < 65; ++i) script += std::to_string(9000 + 700 * i) + " tap A\n";
  script += "56000 tap RETURN";
  const auto run = RunBoard(Board(script, 0, {}, {}, 92000));
  EXPECT_EQ(ChosenName(*run), std::optional<std::string>(std::string(64, 'a')));
  const Heard typed = FromNameScreen(*run);
  EXPECT_EQ(std::count(typed.begin(), typed.end(), "sounds/invalid.wav"), 1);
}

}  // namespace
}  // namespace sb
