// The board server as a client other than the game would meet it: every
// request sent by hand, so malformed ones can be sent too.

#include <gtest/gtest.h>

#include "board/board_program.h"
#include "board_page.h"
#include "scoreboard/board_protocol.h"
#include "support/board_fixture.h"

namespace sb::board {
namespace {

using test::RunningBoard;

constexpr const char* kForm = "application/x-www-form-urlencoded";

httplib::Result Post(int port, const std::string& path, const std::string& body, const char* user = kUser,
                     const char* password = kPassword) {
  httplib::Client client("127.0.0.1", port);
  if (user) client.set_basic_auth(user, password);
  return client.Post(path, body, kForm);
}

std::string Score(const std::string& gamer, const std::string& score) {
  return "boardtitle=SBServer&gamer=" + gamer + "&score=" + score + "&date=2024-05-01%2013%3A45%3A07\r\n";
}

TEST(BoardServer, StoresAScoreAndAnswersSuccess) {
  RunningBoard board;
  const auto result = Post(board.Port(), kSubmitPath, Score("Ann%20B", "1000"));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 200);
  EXPECT_EQ(result->body, "success");

  const auto rows = board.Store().All();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].gamer, "Ann B");
  EXPECT_EQ(rows[0].score, 1000);
  EXPECT_EQ(rows[0].date, "2024-05-01 13:45:07");
  EXPECT_EQ(rows[0].received.size(), 19u) << rows[0].received;  // YYYY-MM-DD HH:MM:SS
}

TEST(BoardServer, RefusesRequestsWithoutTheGamesCredentials) {
  RunningBoard board;
  struct Case {
    const char* what;
    const char* user;
    const char* password;
  };
  const Case cases[] = {{"none", nullptr, nullptr},
                        {"wrong password", kUser, "TinselQuarrY"},
                        {"wrong user", "sbhsn", kPassword},
                        {"empty password", kUser, ""}};
  for (const Case& c : cases) {
    for (const std::string& body : {Score("Ann", "10"), std::string("id=SBServer\r\n")}) {
      const std::string path = body.starts_with("id=") ? kCodePath : kSubmitPath;
      const auto result = Post(board.Port(), path, body, c.user, c.password);
      ASSERT_TRUE(result) << c.what;
      EXPECT_EQ(result->status, 401) << c.what << " " << path;
      EXPECT_NE(result->body, "success");
    }
  }
  EXPECT_TRUE(board.Store().All().empty());
}

TEST(BoardServer, RefusesBadScoresWithAReasonAndStoresNothing) {
  RunningBoard board;
  const std::string longName(65, 'x');
  struct Case {
    std::string what;
    std::string body;
    int status;
  };
  const std::vector<Case> cases = {
      {"no gamer", "boardtitle=SBServer&score=5&date=d\r\n", 400},
      {"no score", "boardtitle=SBServer&gamer=a&date=d\r\n", 400},
      {"no date", "boardtitle=SBServer&gamer=a&score=5\r\n", 400},
      {"no board title", "gamer=a&score=5&date=d\r\n", 400},
      {"empty body", "", 400},
      {"a field without a value sign", "boardtitle=SBServer&gamer&score=5&date=d", 400},
      {"a field given twice", Score("a", "5") + "&gamer=b", 400},
      {"another board", "boardtitle=Other&gamer=a&score=5&date=d\r\n", 404},
      {"negative score", Score("a", "-5"), 400},
      {"fractional score", Score("a", "1.5"), 400},
      {"score with letters", Score("a", "12a"), 400},
      {"score with a sign", Score("a", "%2B5"), 400},
      {"empty score", Score("a", ""), 400},
      {"score beyond 32 bits", Score("a", "2147483648"), 400},
      {"empty name", Score("", "5"), 400},
      {"name of 65 characters", Score(longName, "5"), 400},
      {"name with a line break", Score("a%0Ab", "5"), 400},
      {"name with a NUL", Score("a%00b", "5"), 400},
      {"name with DEL", Score("a%7F", "5"), 400},
      {"name that is not UTF-8", Score("a%FFb", "5"), 400},
      {"name with an overlong UTF-8 slash", Score("%C0%AF", "5"), 400},
      {"name with a C1 control", Score("a%C2%9Bb", "5"), 400},
      {"name of spaces only", Score("%20%20%20", "5"), 400},
      {"name of no-break spaces only", Score("%C2%A0%C2%A0", "5"), 400},
      {"name of a zero-width space", Score("%E2%80%8B", "5"), 400},
      {"name of a byte-order mark", Score("%EF%BB%BF", "5"), 400},
      {"name of zero-width joiners and an ideographic space", Score("%E2%80%8D%E3%80%80%E2%80%8D", "5"), 400},
      {"name of bidi marks only", Score("%E2%80%8E%E2%80%8F", "5"), 400},
      {"name turned around by a right-to-left override", Score("Ann%E2%80%AEevil", "5"), 400},
      {"name with a right-to-left isolate", Score("%E2%81%A7Ann", "5"), 400},
      {"name with an Arabic letter mark", Score("Ann%D8%9C", "5"), 400},
      {"body over 4 KB", Score(std::string(4100, 'x'), "5"), 413},
  };
  for (const Case& c : cases) {
    const auto result = Post(board.Port(), kSubmitPath, c.body);
    ASSERT_TRUE(result) << c.what;
    EXPECT_EQ(result->status, c.status) << c.what << ": " << result->body;
    EXPECT_FALSE(result->body.empty()) << c.what << " is refused without a reason";
  }
  EXPECT_TRUE(board.Store().All().empty());
}

TEST(BoardServer, TakesNamesAtTheLimitsOfWhatItShows) {
  RunningBoard board;
  std::string name64;  // 64 characters of two bytes each
  for (int i = 0; i < 64; ++i) name64 += "%C3%A9";
  // A family emoji is joined by zero-width joiners; a space inside a name shows as one.
  const std::string names[] = {name64, "A%2BB", "%E2%98%85+star", "%F0%9F%91%A8%E2%80%8D%F0%9F%91%A9", "%20Ann%C2%A0B"};
  for (const std::string& name : names) {
    const auto result = Post(board.Port(), kSubmitPath, Score(name, "0"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "success") << name;
  }
  const auto rows = board.Store().All();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].gamer.size(), 128u);
  EXPECT_EQ(rows[1].gamer, "A+B");
  EXPECT_EQ(rows[2].gamer, "\u2605 star");
  EXPECT_EQ(rows[3].gamer, "\U0001F468\u200D\U0001F469");
  EXPECT_EQ(rows[4].gamer, " Ann\u00A0B");
}

TEST(BoardServer, AnswersTheBoardCode) {
  {
    RunningBoard board;
    const auto result = Post(board.Port(), kCodePath, "id=SBServer\r\n");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->body, board.Url() + "/");
    EXPECT_EQ(Post(board.Port(), kCodePath, "id=Other\r\n")->status, 404);
    EXPECT_EQ(Post(board.Port(), kCodePath, "name=SBServer\r\n")->status, 400);
  }
  BoardOptions options;
  options.publicUrl = "https://board.example.org/starbarrow/";
  RunningBoard board(options);
  EXPECT_EQ(Post(board.Port(), kCodePath, "id=SBServer\r\n")->body, options.publicUrl);
}

TEST(BoardServer, PageListsEachGamersBestHighestFirstWithNamesEscaped) {
  RunningBoard board;
  for (const auto& [gamer, score] : std::vector<std::pair<std::string, std::string>>{
           {"Ann", "300"}, {"%3Cscript%3Ealert(1)%3C%2Fscript%3E", "500"}, {"Ann", "900"}, {"Bo", "100"}}) {
    ASSERT_EQ(Post(board.Port(), kSubmitPath, Score(gamer, score))->body, "success");
  }
  httplib::Client client("127.0.0.1", board.Port());
  const auto page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  const std::string& html = page->body;
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  const size_t ann = html.find("<td>Ann</td><td>900</td>");
  const size_t script = html.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td><td>500</td>");
  const size_t bo = html.find("<td>Bo</td><td>100</td>");
  ASSERT_NE(ann, std::string::npos) << html;
  ASSERT_NE(script, std::string::npos) << html;
  ASSERT_NE(bo, std::string::npos) << html;
  EXPECT_LT(ann, script);
  EXPECT_LT(script, bo);
  EXPECT_EQ(html.find("<td>300</td>"), std::string::npos) << "only the best score of each gamer is listed";
  const std::string today = board.Store().All().back().received.substr(0, 10);
  EXPECT_NE(html.find("<td>" + today + "</td>"), std::string::npos);
}

TEST(BoardServer, EscapesEveryCharacterThatMeansSomethingInHtml) {
  EXPECT_EQ(EscapeHtml("<a href=\"x\" title='y'>&</a>"),
            "&lt;a href=&quot;x&quot; title=&#39;y&#39;&gt;&amp;&lt;/a&gt;");
}

TEST(BoardServer, AFixedReplyAnswersEveryAdmittedRequestAndStoresNothing) {
  const std::pair<std::string, ScriptedReply> cases[] = {
      {"200 Success", {200, "Success"}}, {"200 success\\n", {200, "success\n"}}, {"500", {500, ""}},
      {"404 success", {404, "success"}}, {"200 a\\\\b\\r", {200, "a\\b\r"}}};
  for (const auto& [text, expected] : cases) {
    const auto reply = ParseScriptedReply(text);
    ASSERT_TRUE(reply) << text;
    EXPECT_EQ(reply->status, expected.status) << text;
    EXPECT_EQ(reply->body, expected.body) << text;
  }
  for (const char* bad : {"", "ok", "99", "600", "200 \\x", "200 trailing\\"}) {
    EXPECT_FALSE(ParseScriptedReply(bad)) << bad;
  }

  BoardOptions options;
  options.fixedReply = ScriptedReply{200, "success\n"};
  RunningBoard board(options);
  EXPECT_EQ(Post(board.Port(), kSubmitPath, Score("Ann", "10"))->body, "success\n");
  EXPECT_EQ(Post(board.Port(), kCodePath, "id=SBServer\r\n")->body, "success\n");
  EXPECT_EQ(Post(board.Port(), kSubmitPath, Score("Ann", "10"), kUser, "nope")->status, 401);
  EXPECT_TRUE(board.Store().All().empty());
}

// The program itself: started on a free port, killed without warning after a
// score was answered; the score is in the file afterwards.
TEST(BoardProgram, KeepsAnAnsweredScoreThroughAKill) {
  test::TempDir dir;
  const std::string db = (dir.path() / "board.db").string();
  test::BoardProgram program({"--port", "0", "--bind", "127.0.0.1", "--db", db});
  const int port = program.Port();
  ASSERT_GT(port, 0) << program.FirstLine();

  const auto result = Post(port, kSubmitPath, Score("Ann", "4242"));
  program.Kill();
  ASSERT_TRUE(result);
  ASSERT_EQ(result->body, "success");

  BoardStore store(db);
  const auto rows = store.All();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].gamer, "Ann");
  EXPECT_EQ(rows[0].score, 4242);
}

}  // namespace
}  // namespace sb::board
