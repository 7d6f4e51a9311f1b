// The score board's requests on the simulated host: the board's replies are
// scripted, each taking virtual time, and every request is in the event log.

#include "scoreboard/board_requests.h"

#include <gtest/gtest.h>

#include "scoreboard/board_settings.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using test::SimGame;

SimOptions Replies(std::vector<std::optional<ScriptedReply>> replies, int delayMs = 100) {
  SimOptions options;
  options.settings["Starbarrow/ScoreBoard/board_url"] = "https://board.example.invalid";
  options.httpReplies = std::move(replies);
  options.httpDelayMs = delayMs;
  return options;
}

TEST(BoardRequests, ASubmissionSendsTheFormAndYieldsUntilTheBoardAnswers) {
  SimOptions options = Replies({ScriptedReply{200, "success"}}, 1500);
  options.seed = 12 * 3600 + 34 * 60 + 56;
  SimGame sim(options);
  const int32_t before = sim.host.Ticks();
  EXPECT_TRUE(SubmitHighScore(sim.game, "Ann Lee", 1000));
  EXPECT_GE(sim.host.Ticks() - before, 1500) << "the clock ran on while the board was asked";
  EXPECT_EQ(sim.LogRest("http"),
            std::vector<std::string>{"https://board.example.invalid/board/subscore.php "
                                     "body=boardtitle=SBServer&gamer=Ann%20Lee&score=1000"
                                     "&date=2000-01-01%2012%3A34%3A56\\r\\n"});
}

TEST(BoardRequests, OnlyAnExactSuccessCountsAsPosted) {
  struct Case {
    const char* what;
    std::optional<ScriptedReply> reply;
    bool posted;
  };
  const Case cases[] = {{"exact", ScriptedReply{200, "success"}, true},
                        {"capital", ScriptedReply{200, "Success"}, false},
                        {"line break", ScriptedReply{200, "success\n"}, false},
                        {"leading space", ScriptedReply{200, " success"}, false},
                        {"server error", ScriptedReply{500, "success"}, false},
                        {"not found", ScriptedReply{404, "success"}, false},
                        {"created", ScriptedReply{201, "success"}, false},
                        {"not reached", std::nullopt, false}};
  std::vector<std::optional<ScriptedReply>> replies;
  for (const Case& c : cases) replies.push_back(c.reply);
  SimGame sim(Replies(replies));
  for (const Case& c : cases) EXPECT_EQ(SubmitHighScore(sim.game, "Ann", 10), c.posted) << c.what;
  EXPECT_FALSE(SubmitHighScore(sim.game, "Ann", 10)) << "no reply scripted: the board is not reached";
}

TEST(BoardRequests, TheBoardCodeGoesToTheClipboardOnlyWhenTheBoardGivesOne) {
  SimGame sim(Replies({ScriptedReply{200, "https://board.example.org/\r\n"}, ScriptedReply{500, "http://error/"},
                       ScriptedReply{200, ""}, std::nullopt}));
  EXPECT_TRUE(CopyBoardCode(sim.game));
  EXPECT_EQ(sim.host.Clipboard(), "https://board.example.org/") << "the address, without its line break";
  EXPECT_EQ(sim.LogRest("clipboard"), (std::vector<std::string>{"", "https://board.example.org/"}));
  EXPECT_EQ(sim.LogRest("http"),
            std::vector<std::string>{"https://board.example.invalid/board/ctc.php body=id=SBServer\\r\\n"});
  for (const char* what : {"server error", "empty reply", "not reached"}) {
    EXPECT_FALSE(CopyBoardCode(sim.game)) << what;
    EXPECT_EQ(sim.host.Clipboard(), "") << what;
  }
}

// The game ships with no board: nothing is sent until the player names one.
TEST(BoardRequests, WithNoBoardSetUpNothingIsSent) {
  SimOptions options = Replies({ScriptedReply{200, "success"}, ScriptedReply{200, "https://board.example.invalid/"}});
  options.settings.clear();
  SimGame sim(options);
  EXPECT_FALSE(SubmitHighScore(sim.game, "Ann", 1000));
  EXPECT_EQ(RequestBoardCode(sim.game), "");
  EXPECT_TRUE(sim.LogRest("http").empty());
}

TEST(BoardSettings, TheBoardIsFoundInTheEnvironmentThenTheSettingsElseThereIsNone) {
  struct Case {
    std::optional<std::string> environment;
    std::optional<std::string> setting;
    std::string url;
  };
  const Case cases[] = {{std::nullopt, std::nullopt, ""},
                        {std::nullopt, "http://club.example:8080/", "http://club.example:8080"},
                        {"http://127.0.0.1:5000", "http://club.example", "http://127.0.0.1:5000"},
                        {"", "http://club.example", "http://club.example"},
                        {std::nullopt, "", ""}};
  for (const Case& c : cases) {
    SimOptions options;
    if (c.environment) options.environment["STARBARROW_BOARD_URL"] = *c.environment;
    if (c.setting) options.settings["Starbarrow/ScoreBoard/board_url"] = *c.setting;
    SimGame sim(options);
    EXPECT_EQ(BoardUrl(sim.game), c.url) << c.environment.value_or("-") << " " << c.setting.value_or("-");
  }
}

TEST(BoardSettings, ThePlayerNameIsTheLoginNameUntilThePlayerChoosesOne) {
  SimOptions options;
  options.loginName = "ann";
  SimGame sim(options);
  EXPECT_EQ(PlayerName(sim.game), "ann");
  EXPECT_EQ(ChosenPlayerName(sim.game), "");

  EXPECT_TRUE(SetPlayerName(sim.game, "  Ann Lee "));
  EXPECT_EQ(PlayerName(sim.game), "Ann Lee");
  EXPECT_EQ(sim.LogRest("settings"), std::vector<std::string>{"Starbarrow/ScoreBoard/player_name=Ann Lee"});

  sim.ClearLog();
  for (const std::string& bad : {std::string(65, 'a'), std::string("Ann\tLee"), std::string("Ren\xC3\xA9")}) {
    EXPECT_FALSE(SetPlayerName(sim.game, bad)) << bad;
  }
  EXPECT_TRUE(sim.LogRest("settings").empty()) << "a refused name is not kept";
  EXPECT_EQ(PlayerName(sim.game), "Ann Lee");

  EXPECT_TRUE(SetPlayerName(sim.game, std::string(64, 'a')));
  EXPECT_TRUE(SetPlayerName(sim.game, "   "));
  EXPECT_EQ(PlayerName(sim.game), "ann") << "an empty name goes back to the login name";
}

TEST(BoardSettings, AnUnusableLoginNameGivesWayToAPlainOne) {
  for (const std::string& login : {std::string(), std::string("a\nb"), std::string(65, 'x')}) {
    SimOptions options;
    options.loginName = login;
    SimGame sim(options);
    EXPECT_EQ(PlayerName(sim.game), "player");
  }
}

}  // namespace
}  // namespace sb
