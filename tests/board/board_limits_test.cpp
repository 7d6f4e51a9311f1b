// The board under attack from outside: bodies it must not read whole, heads
// beyond its limits, clients that send a byte now and then, a page asked for
// by everyone, and text meant to fool its readers. Every request goes to a
// real board on 127.0.0.1, raw where it is malformed.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <future>
#include <sstream>
#include <thread>

#include "board/board_program.h"
#include "board/raw_client.h"
#include "request_framing.h"
#include "scoreboard/board_protocol.h"
#include "support/board_fixture.h"

namespace sb::board {
namespace {

using namespace std::chrono_literals;
using test::RawClient;
using test::RunningBoard;
using test::StatusOf;

std::string Credentials() { return httplib::make_basic_authentication_header(kUser, kPassword).second; }

// A POST head with the game's credentials and the fields given (each ending in CRLF).
std::string PostHead(const std::string& path, const std::string& fields) {
  return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: " + Credentials() + "\r\n" + fields + "\r\n";
}

std::string Fields(size_t count) {
  std::string fields;
  for (size_t i = 0; i < count; ++i) fields += "X-Field-" + std::to_string(i) + ": x\r\n";
  return fields;
}

std::string Exchange(int port, const std::string& request) {
  RawClient client(port);
  EXPECT_TRUE(client.Connected());
  client.Send(request);
  return client.ReadToEnd();
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

Submission Scored(const std::string& gamer, int64_t score) { return {gamer, score, "2024-05-01 13:45:07"}; }

TEST(RequestFraming, FindsWhereARequestEnds) {
  const std::string head = "POST /x HTTP/1.1\r\nContent-Length: 5\r\n\r\n";
  const std::string twoLengths = "POST /x HTTP/1.1\r\ncontent-length: 5\r\nContent-Length: 5\r\n\r\n";
  const std::string tooLong = "POST /x HTTP/1.1\r\nContent-Length: 4097\r\n\r\n";
  const std::string chunked = "POST /x HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n";
  const std::string fields64 = "GET / HTTP/1.1\r\n" + Fields(64) + "\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    Framing framing;
    size_t head;  // 0: not all there
    size_t size;
  };
  const Case cases[] = {
      {"a head cut short", "GET / HTTP/1.1\r\nHost: a\r\n", Framing::Partial, 0, 0},
      {"a head without a body", "GET / HTTP/1.1\r\n\r\n", Framing::Whole, 18, 18},
      {"a body still coming", head + "abc", Framing::Partial, head.size(), head.size() + 5},
      {"a body all there, and more", head + "abcdefg", Framing::Whole, head.size(), head.size() + 5},
      {"a length given twice: the head alone", twoLengths + "abcde", Framing::Whole, twoLengths.size(),
       twoLengths.size()},
      {"a length beyond the limit: the head alone", tooLong + "abc", Framing::Whole, tooLong.size(), tooLong.size()},
      {"a chunked body: the head alone", chunked + "5\r\n", Framing::Whole, chunked.size(), chunked.size()},
      {"64 header fields", fields64, Framing::Whole, fields64.size(), fields64.size()},
      {"65 header fields", "GET / HTTP/1.1\r\n" + Fields(65) + "\r\n", Framing::HeadTooLarge, 0, 0},
      {"65 header fields of a head still coming", "GET / HTTP/1.1\r\n" + Fields(65), Framing::HeadTooLarge, 0, 0},
      {"a head of 8 KB without its end", "GET / HTTP/1.1\r\nX: " + std::string(kMaxHeadBytes, 'a'),
       Framing::HeadTooLarge, 0, 0},
  };
  for (const Case& c : cases) {
    const Frame frame = FrameRequest(c.bytes);
    EXPECT_EQ(frame.framing, c.framing) << c.what;
    EXPECT_EQ(frame.head, c.head) << c.what;
    if (c.head > 0) {
      EXPECT_EQ(frame.size, c.size) << c.what;
    }
  }
  EXPECT_EQ(ReadLength("4096"), 4096u);
  EXPECT_EQ(ReadLength("99999999999999999999999"), SIZE_MAX);
  for (const char* bad : {"", "+5", "5 ", "0x10", "-1"}) EXPECT_FALSE(ReadLength(bad)) << bad;
}

// Each answered from its head, at once: none of these bodies is ever sent whole.
TEST(BoardLimits, RefusesBodiesItWouldNotReadWholeBeforeReadingThem) {
  RunningBoard board;
  struct Case {
    const char* what;
    std::string request;
    int status;
  };
  const Case cases[] = {
      {"a chunked body", PostHead(kSubmitPath, "Transfer-Encoding: chunked\r\n") + "b\r\nboardtitle=\r\n", 411},
      {"a compressed body", PostHead(kSubmitPath, "Content-Encoding: gzip\r\nContent-Length: 4000\r\n") + "\x1f\x8b",
       415},
      {"a body of 300 MB", PostHead(kSubmitPath, "Content-Length: 300000000\r\n") + "boardtitle=", 413},
      {"no credentials", "POST /board/subscore.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 4000\r\n\r\nboard",
       401},
      {"a length that is no number", PostHead(kCodePath, "Content-Length: 13x\r\n") + "id=SBServer\r\n", 400},
      {"two lengths", PostHead(kCodePath, "Content-Length: 13\r\nContent-Length: 13\r\n") + "id=SBServer\r\n", 400},
  };
  for (const Case& c : cases) {
    const std::string answer = Exchange(board.Port(), c.request);
    EXPECT_EQ(StatusOf(answer), c.status) << c.what << ":\n" << answer;
    EXPECT_FALSE(answer.ends_with("\r\n\r\n")) << c.what << " is refused without a reason";
  }

  // A whole score, compressed: the board does not inflate what it is sent.
  httplib::Client client("127.0.0.1", board.Port());
  client.set_basic_auth(kUser, kPassword);
  client.set_compress(true);
  const auto result =
      client.Post(kSubmitPath, "boardtitle=SBServer&gamer=Ann&score=5&date=d\r\n", "application/x-www-form-urlencoded");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 415);
  EXPECT_TRUE(board.Store().All().empty());
}

// A sound head is let through to its body: nothing is answered or logged
// until the body is there, and then the score is stored.
TEST(BoardLimits, TakesAScoreWhoseBodyComesAfterItsHead) {
  std::ostringstream log;
  {
    BoardOptions options;
    options.log = &log;
    RunningBoard board(options);
    const std::string body = "boardtitle=SBServer&gamer=Ann&score=5&date=d\r\n";
    RawClient client(board.Port());
    ASSERT_TRUE(client.Send(PostHead(kSubmitPath, "Content-Length: " + std::to_string(body.size()) + "\r\n")));
    EXPECT_FALSE(client.BoardSpoke(200ms)) << "the board answered a sound head before its body";
    ASSERT_TRUE(client.Send(body));
    const std::string answer = client.ReadToEnd();
    EXPECT_EQ(StatusOf(answer), 200) << answer;
    EXPECT_TRUE(answer.ends_with("\r\n\r\nsuccess")) << answer;
    ASSERT_EQ(board.Store().All().size(), 1u);
  }
  EXPECT_EQ(Count(log.str(), "\n"), 1u) << log.str();
}

TEST(BoardLimits, RefusesHeadsBeyondItsLimits) {
  RunningBoard board;
  const std::pair<std::string, int> cases[] = {
      {"GET / HTTP/1.1\r\n" + Fields(64) + "\r\n", 200},
      {"GET / HTTP/1.1\r\n" + Fields(65) + "\r\n", 431},
      {"GET / HTTP/1.1\r\nX-Long: " + std::string(8000, 'a') + "\r\n\r\n", 200},
      {"GET / HTTP/1.1\r\nX-Long: " + std::string(9000, 'a') + "\r\n\r\n", 431},
      {"GET / HTTP/1.1\r\n" + Fields(2000), 431},
  };
  for (const auto& [request, status] : cases) {
    EXPECT_EQ(StatusOf(Exchange(board.Port(), request)), status) << request.substr(0, 80);
  }
}

TEST(BoardLimits, CutsOffAClientThatIsNotDoneByTheDeadline) {
  BoardOptions options;
  options.limits.deadline = 300ms;
  RunningBoard board(options);
  RawClient slow(board.Port());
  ASSERT_TRUE(slow.Send("POST /board/subscore.php HTTP/1.1\r\n"));
  // One byte every tenth of a second, for half a minute at most: the client
  // never stops sending, and the board stops waiting for it all the same.
  const std::string trickle = "Host: 127.0.0.1\r\nX-Slow: " + std::string(300, 'x');
  bool spoke = false;
  for (size_t i = 0; i < trickle.size() && !spoke; ++i) {
    slow.Send(trickle.substr(i, 1));
    spoke = slow.BoardSpoke(100ms);
  }
  ASSERT_TRUE(spoke) << "the board waits for a slow client as long as it keeps sending";
  EXPECT_EQ(StatusOf(slow.ReadToEnd()), 408);
}

TEST(BoardLimits, SlowClientsLeaveThePageAnswered) {
  BoardOptions options;
  options.limits.deadline = 2min;  // longer than the test: the slow clients stay connected throughout
  RunningBoard board(options);
  std::vector<std::unique_ptr<RawClient>> slow;
  for (int i = 0; i < 16; ++i) {
    slow.push_back(std::make_unique<RawClient>(board.Port()));
    ASSERT_TRUE(slow.back()->Send("POST /board/subscore.php HTTP/1.1\r\nHo"));
  }
  std::atomic<bool> answered = false;
  std::thread trickle([&] {  // a byte each every tenth of a second, for half a minute at most
    for (int i = 0; i < 300 && !answered; ++i) {
      for (auto& client : slow) client->Send("s");
      std::this_thread::sleep_for(100ms);
    }
  });
  httplib::Client client("127.0.0.1", board.Port());
  client.set_connection_timeout(20s);
  client.set_read_timeout(20s);
  const auto page = client.Get("/");
  answered = true;
  trickle.join();

  ASSERT_TRUE(page) << "the page was not answered beside 16 slow clients";
  EXPECT_EQ(page->status, 200);
  for (auto& c : slow) EXPECT_FALSE(c->BoardSpoke()) << "a slow client was dropped before the page was answered";
}

TEST(BoardLimits, ThePageListsTheBestPlayersUpToItsSize) {
  const std::pair<std::optional<size_t>, size_t> cases[] = {{std::nullopt, 100}, {3, 3}};
  for (const auto& [pageSize, shown] : cases) {
    BoardOptions options;
    if (pageSize) options.pageSize = *pageSize;
    RunningBoard board(options);
    for (int i = 0; i <= 100; ++i) board.Store().Add(Scored("gamer" + std::to_string(i), 1000 + i), "2024-05-01 13:45:07");
    httplib::Client client("127.0.0.1", board.Port());
    const auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(Count(page->body, "<tr><td>"), shown);
    EXPECT_NE(page->body.find("<tr><td>1</td><td>gamer100</td><td>1100</td>"), std::string::npos);
    EXPECT_EQ(page->body.find("<td>gamer0</td>"), std::string::npos);
  }
}

TEST(BoardStore, KeepsEachGamersBestAsScoresComeAndGo) {
  test::TempDir dir;
  const std::string db = (dir.path() / "board.db").string();
  auto run = [&db](const char* sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
  };
  // A board kept before each gamer's best had a table of its own.
  run("CREATE TABLE scores (id INTEGER PRIMARY KEY, gamer TEXT NOT NULL, score INTEGER NOT NULL,"
      " date TEXT NOT NULL, received TEXT NOT NULL);"
      "INSERT INTO scores (gamer, score, date, received) VALUES"
      " ('Ann', 300, 'd', 'first'), ('Bo', 500, 'd', 'second'), ('Ann', 900, 'd', 'third'), ('Ann', 900, 'd', 'fourth');");
  auto best = [&db](size_t limit) {
    BoardStore store(db);
    std::vector<std::string> rows;
    for (const StoredScore& s : store.Best(limit)) rows.push_back(s.gamer + " " + std::to_string(s.score) + " " + s.received);
    return rows;
  };
  using Rows = std::vector<std::string>;
  EXPECT_EQ(best(10), (Rows{"Ann 900 third", "Bo 500 second"}));
  {
    BoardStore store(db);
    store.Add(Scored("Bo", 900), "fifth");
    store.Add(Scored("Cy", 100), "sixth");
    store.Add(Scored("Cy", 50), "seventh");
  }
  EXPECT_EQ(best(10), (Rows{"Ann 900 third", "Bo 900 fifth", "Cy 100 sixth"}));
  EXPECT_EQ(best(2), (Rows{"Ann 900 third", "Bo 900 fifth"}));
  // Scores taken away by hand: the next best takes the place.
  run("DELETE FROM scores WHERE received IN ('third', 'fifth');");
  EXPECT_EQ(best(10), (Rows{"Ann 900 fourth", "Bo 500 second", "Cy 100 sixth"}));
  run("DELETE FROM scores WHERE gamer = 'Ann';");
  EXPECT_EQ(best(10), (Rows{"Bo 500 second", "Cy 100 sixth"}));
}

TEST(BoardStore, StoresAScoreWhileThePageIsBeingRead) {
  test::TempDir dir;
  BoardStore store(dir.path() / "board.db");
  store.Add(Scored("Ann", 10), "first");
  std::future<void> adding;
  std::future_status stored = std::future_status::deferred;
  store.VisitBest(10, [&](const StoredScore&) {
    adding = std::async(std::launch::async, [&store] { store.Add(Scored("Bo", 20), "second"); });
    stored = adding.wait_for(20s);
  });
  adding.get();
  EXPECT_EQ(stored, std::future_status::ready) << "a score waited for the page to be read";
  EXPECT_EQ(store.Best(10).size(), 2u);
}

TEST(BoardLimits, NoControlOrBidiCharacterReachesTheLog) {
  std::ostringstream log;
  {
    BoardOptions options;
    options.log = &log;
    RunningBoard board(options);
    for (const char* path : {"/%C2%9B2J", "/%9B2J", "/%E2%80%AEgnp.exe", "/%1B%5B2J", "/%FFx"}) {
      EXPECT_EQ(StatusOf(Exchange(board.Port(), std::string("GET ") + path + " HTTP/1.1\r\n\r\n")), 404) << path;
    }
  }
  const std::string text = log.str();
  EXPECT_EQ(Count(text, "\n"), 5u) << text;
  for (const std::string bad : {"\xC2\x9B", "\x9B", "\xE2\x80\xAE", "\x1B", "\xFF"}) {
    EXPECT_EQ(text.find(bad), std::string::npos) << text;
  }
  EXPECT_NE(text.find("GET /?gnp.exe 404"), std::string::npos) << text;
}

TEST(BoardProgram, ListensOnThisMachineOnlyUnlessTold) {
  test::TempDir dir;
  const std::string db = (dir.path() / "board.db").string();
  test::BoardProgram program({"--port", "0", "--db", db});
  EXPECT_NE(program.FirstLine().find(" on 127.0.0.1 port "), std::string::npos) << program.FirstLine();
  httplib::Client client("127.0.0.1", program.Port());
  const auto page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);

  for (const char* size : {"0", "10001", "ten"}) {
    test::BoardProgram refused({"--port", "0", "--db", db, "--page-size", size});
    EXPECT_EQ(refused.Wait(), 2) << size;
  }
}

}  // namespace
}  // namespace sb::board
