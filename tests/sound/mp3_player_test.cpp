#include "sound/mp3_player.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "game/settings.h"
#include "menus/program_run.h"
#include "platform/player_file.h"
#include "support/temp_dir.h"

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
  EXPECT_FALSE(Mp3Open(sim.game, "system\\menu\\intro.mp3"));
  EXPECT_FALSE(Mp3Play(sim.game, false));
  const std::string err = sim.Reports();
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

// An hour-long recording plays from a ring of two seconds that the decoder
// keeps ahead of the voice; what is held does not grow, and the release lets
// go of it all.
TEST(Mp3Player, StreamsALongRecordingThroughASmallRing) {
  SimOptions options;
  options.lengths["system/menu/intro.mp3"] = 3600 * 1000;
  test::SimGame sim(options);
  Game& game = sim.game;
  ASSERT_TRUE(Mp3Open(game, "system\\menu\\intro.mp3"));
  ASSERT_TRUE(Mp3Play(game, true));
  const Mp3State& mp3 = game.music.mp3;
  const size_t ringSamples = mp3.ring->samples.size();
  EXPECT_EQ(ringSamples, 2u * 22050u);
  EXPECT_GT(mp3.written, 0u) << "the first pieces are ready when it starts";
  EXPECT_LT(mp3.written, 22050u) << "and no more than a few pieces";
  for (int ms = 1; ms <= 60000; ++ms) {
    sim.host.AdvanceMs(1);
    ASSERT_TRUE(Mp3Feed(game)) << ms;
    ASSERT_LE(mp3.written - mp3.heard, ringSamples - 22050u / 2) << "never writing over what is still to be heard";
    ASSERT_GE(mp3.written, mp3.heard + 22050u / 100) << "always ahead of the voice, at " << ms;
  }
  EXPECT_EQ(mp3.ring->samples.size(), ringSamples);
  EXPECT_NEAR(static_cast<double>(mp3.heard), 60.0 * 22050, 50.0) << "heard as long as it played";
  Mp3Release(game);
  EXPECT_FALSE(mp3.ring);
  EXPECT_FALSE(mp3.stream);
  EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), 0u);
}

std::vector<uint8_t> SeedBytes(const char* name) {
  std::ifstream in(std::filesystem::path(SB_MP3_SEEDS) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Real files through the decoder: a whole one plays to its end, a cut one as
// far as it goes, a broken one not at all; the menu goes on after each.
TEST(Mp3Player, PlaysRealFilesAsFarAsTheyGo) {
  const std::vector<uint8_t> whole = SeedBytes("stereo_44100.mp3");
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    int endsAfterMs;  // -1: does not play
  } cases[] = {
      {"whole", whole, 500},
      {"cut", std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)), 0},
      {"broken", std::vector<uint8_t>(5000, 'x'), -1},
  };
  for (const auto& c : cases) {
    test::TempDir tree;
    tree.Write("system/menu/intros.mp3", c.bytes);
    SimOptions options;
    options.soundTree = tree.path();
    test::SimGame sim(options);
    PlayMp3AndWait(sim.game, "system\\menu\\intros.mp3");
    const std::string err = sim.Reports();
    const Heard events = Mp3Events(sim.host.GetLog().Lines());
    if (c.endsAfterMs < 0) {
      EXPECT_TRUE(events.empty()) << c.name;
      EXPECT_NE(err.find("intros.mp3"), std::string::npos) << c.name << ": " << err;
      EXPECT_EQ(sim.host.Ticks(), 0) << c.name;
      continue;
    }
    ASSERT_EQ(events.size(), 2u) << c.name;
    EXPECT_EQ(events[0], "mp3 system/menu/intros.mp3 @0") << c.name;
    const int end = std::stoi(events[1].substr(events[1].find('@') + 1));
    if (c.endsAfterMs > 0) {
      EXPECT_NEAR(end, c.endsAfterMs, 30) << c.name;
    } else {
      EXPECT_GT(end, 50) << c.name;
      EXPECT_LT(end, 450) << c.name;
    }
    EXPECT_EQ(sim.game.sound.GetMixer().ActiveVoices(), 0u) << c.name;
  }
}

}  // namespace
}  // namespace sb
