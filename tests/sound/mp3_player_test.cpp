#include "sound/mp3_player.h"

#include <gtest/gtest.h>

#include "menus/program_run.h"
#include "platform/player_file.h"
#include "platform/settings.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// "op path @ms" for the MP3 player's lines.
Heard Mp3Events(const std::vector<std::string>& lines) {
  Heard out;
  for (const std::string& line : lines) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "mp3" || l.op == "mp3stop") out.push_back(l.op + " " + l.rest + " @" + std::to_string(l.ms));
  }
  return out;
}

struct Mp3Case {
  const char* name;
  const char* script;
  Heard events;
};

class Mp3Playback : public testing::TestWithParam<Mp3Case> {};

// The credits last 3 s; only left Ctrl ends them early.
TEST_P(Mp3Playback, PlaysToItsEndUnlessLeftCtrlEndsIt) {
  SimOptions options = test::Scripted(GetParam().script);
  options.lengths["system/menu/intros.mp3"] = 3000;
  test::SimGame sim(options);
  PlayMp3AndWait(sim.game, "system\\menu\\intros.mp3");
  EXPECT_EQ(Mp3Events(sim.host.GetLog().Lines()), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Mp3Playback,
    testing::Values(Mp3Case{"ToItsEnd", "", {"mp3 system/menu/intros.mp3 @0", "mp3stop system/menu/intros.mp3 @3000"}},
                    Mp3Case{"OtherKeysDoNotEndIt",
                            "500 tap SPACE\n800 tap RETURN\n1100 tap ESCAPE\n1400 tap RCONTROL\n1700 tap F12",
                            {"mp3 system/menu/intros.mp3 @0", "mp3stop system/menu/intros.mp3 @3000"}},
                    Mp3Case{"LeftCtrlEndsItAtOnce", "500 tap SPACE\n1200 tap LCONTROL",
                            {"mp3 system/menu/intros.mp3 @0", "mp3stop system/menu/intros.mp3 @1200"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mp3Player, AMissingRecordingIsSkipped) {
  SimOptions options;
  options.missing = {"system/menu/intro.mp3"};
  test::SimGame sim(options);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Mp3Open(sim.game, "system\\menu\\intro.mp3"));
  EXPECT_FALSE(Mp3Play(sim.game, false));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("system/menu/intro.mp3"), std::string::npos) << err;
  EXPECT_EQ(sim.host.Ticks(), 0);
  EXPECT_TRUE(Mp3Events(sim.host.GetLog().Lines()).empty());
}

TEST(Mp3Player, StopRewindsAndPlayStartsAgain) {
  test::SimGame sim;
  ASSERT_TRUE(Mp3Open(sim.game, "system\\menu\\intro.mp3"));
  ASSERT_TRUE(Mp3Play(sim.game, true));
  sim.host.AdvanceMs(200);
  Mp3Stop(sim.game);
  sim.host.AdvanceMs(100);
  Mp3Play(sim.game, false);
  EXPECT_EQ(Mp3Events(sim.host.GetLog().Lines()),
            (Heard{"mp3 system/menu/intro.mp3 @0", "mp3stop system/menu/intro.mp3 @200",
                   "mp3 system/menu/intro.mp3 @300", "mp3stop system/menu/intro.mp3 @800"}));
  EXPECT_TRUE(Mp3Release(sim.game));
  EXPECT_FALSE(Mp3Play(sim.game, false)) << "nothing is open after the release";
}

// The credits play over the silenced menu loops, which come back afterwards.
TEST(Mp3Player, TheCreditsItemSilencesTheMenuMusicMeanwhile) {
  test::ProgramRun run(test::Scripted("1500 tap UP\n2000 tap UP\n2500 tap UP\n3000 tap UP\n3600 tap RETURN", 6000));
  run.Run();
  const Heard events = run.Log({"vol", "mp3", "mp3stop", "play"});
  const auto start = std::find(events.begin(), events.end(), "mp3 system/menu/intros.mp3");
  ASSERT_NE(start, events.end());
  EXPECT_EQ(Heard(start - 2, start + 6),
            (Heard{"vol sounds/music/music5.wav", "vol system/menu/crickets.wav", "mp3 system/menu/intros.mp3",
                   "mp3stop system/menu/intros.mp3", "vol sounds/music/music5.wav", "vol system/menu/crickets.wav",
                   "vol sounds/music/music5.wav", "play system/menu/bleep.wav"}))
      << "silenced, the credits, restored, and the item ducked for its announcement";
}

struct IntroCase {
  const char* name;
  uint8_t introHeard;
  bool introPlays;
};

class FirstNewGame : public testing::TestWithParam<IntroCase> {};

// New game, Enter on Easy: the very first new game begins with the intro.
TEST_P(FirstNewGame, PlaysTheIntroOnce) {
  test::ProgramRun run(test::Scripted("1500 tap RETURN\n2500 tap RETURN", 4000));
  PlayerRecord record;
  record.introHeard = GetParam().introHeard;
  FileStore& folder = run.sim.host.Files(Folder::Player);
  folder.Write(kPlayerFileName, EncodePlayerFile(record));
  folder.Write(kKeyMapFileName, *run.sim.host.Files(Folder::Program).Read(kKeyMapFileName));
  run.Run();
  const Heard mp3 = run.Log({"mp3"});
  EXPECT_EQ(mp3, GetParam().introPlays ? Heard{"mp3 system/menu/intro.mp3"} : Heard{});
  EXPECT_EQ(DecodePlayerFile(*folder.Read(kPlayerFileName)).record.introHeard, 1);
  EXPECT_EQ(run.Log({"write"}).size(), GetParam().introPlays ? 2u : 0u) << "marked heard before it plays";
}

INSTANTIATE_TEST_SUITE_P(Intro, FirstNewGame,
                         testing::Values(IntroCase{"NotHeardYet", 0, true}, IntroCase{"HeardBefore", 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sb
