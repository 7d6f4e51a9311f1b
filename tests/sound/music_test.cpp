#include "sound/music.h"

#include <gtest/gtest.h>

#include "input/input.h"
#include "menus/program_run.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// The in-game key handling as the game loop runs it: a poll, then the keys.
void PlayUntil(test::SimGame& sim, int32_t ms) {
  while (sim.host.Ticks() < ms) {
    PollInput(sim.game);
    HandleBackgroundKeys(sim.game);
    sim.host.Yield();
  }
}

// Every volume the background loop's file was given, in order.
std::vector<std::string> LoopVolumes(const test::SimGame& sim) {
  std::vector<std::string> out;
  for (const std::string& line : sim.host.GetLog().Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "vol" && l.rest.rfind("sounds/music/", 0) == 0) out.push_back(l.rest.substr(13));
  }
  return out;
}

std::string Taps(const char* key, int count, int32_t from) {
  std::string script;
  for (int i = 0; i < count; ++i) script += std::to_string(from + 100 * i) + " tap " + key + "\n";
  return script;
}

TEST(BackgroundKeys, F5TwelveTimesReachesTheQuietestAndF6TenTimesFull) {
  test::SimGame sim(test::Scripted(Taps("F5", 12, 100) + Taps("F6", 10, 1500)));
  sim.game.music.musicTrack = 1;
  StartBackgroundLoop(sim.game);
  PlayUntil(sim, 1400);
  EXPECT_EQ(sim.game.player.musicVolumes[1], -2500);
  PlayUntil(sim, 3000);
  EXPECT_EQ(sim.game.player.musicVolumes[1], 0);
  Heard expected;
  for (int v = -250; v >= -2500; v -= 250) expected.push_back("music1.wav vol=" + std::to_string(v));
  for (int v = -2250; v <= 0; v += 250) expected.push_back("music1.wav vol=" + std::to_string(v));
  EXPECT_EQ(LoopVolumes(sim), expected);
}

struct KeysCase {
  const char* name;
  uint8_t mode;
  const char* keys;
  uint8_t modeAfter;
  int32_t musicAfter;     // track 4's entry, set to -750 before
  int32_t ambienceAfter;  // track 1's entry, set to -250 before
  Heard heard;            // the loops started and stopped, and their volumes
};

class BackgroundKey : public testing::TestWithParam<KeysCase> {};

TEST_P(BackgroundKey, ChangesTheModeOrTheTracksVolume) {
  const KeysCase& c = GetParam();
  test::SimGame sim(test::Scripted(c.keys));
  PlayerRecord& p = sim.game.player;
  p.backgroundMode = c.mode;
  p.musicVolumes[4] = -750;
  p.ambienceVolumes[1] = -250;
  sim.game.music.musicTrack = 4;
  sim.game.music.ambienceTrack = 1;
  StartBackgroundLoop(sim.game);
  sim.ClearLog();
  PlayUntil(sim, 1000);
  EXPECT_EQ(p.backgroundMode, c.modeAfter);
  EXPECT_EQ(p.musicVolumes[4], c.musicAfter);
  EXPECT_EQ(p.ambienceVolumes[1], c.ambienceAfter);
  EXPECT_EQ(sim.Log({"play", "stop", "vol"}), c.heard);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BackgroundKey,
    testing::Values(
        KeysCase{"F4LowersTheMusicTrackToMinus500", 0, "100 tap F4\n300 tap F4", 0, -500, -250,
                 {"vol sounds/music/music4.wav"}},
        KeysCase{"F4InAmbienceLowersTheAmbienceTrack", 1, "100 tap F4", 1, -750, -500, {"vol sounds/music/amb1.wav"}},
        KeysCase{"F6StopsAtFull", 1, "100 tap F6\n300 tap F6", 1, -750, 0, {"vol sounds/music/amb1.wav"}},
        KeysCase{"EachTrackKeepsItsOwnVolume", 0, "100 tap F3\n300 tap F2", 0, -750, -250,
                 {"stop sounds/music/music4.wav", "vol sounds/music/amb1.wav", "play sounds/music/amb1.wav",
                  "stop sounds/music/amb1.wav", "vol sounds/music/music4.wav", "play sounds/music/music4.wav"}},
        KeysCase{"F1StopsTheLoopAndTheVolumeKeysRest", 0, "100 tap F1\n300 tap F5\n500 tap F4", 2, -750, -250,
                 {"stop sounds/music/music4.wav"}},
        KeysCase{"TheModeInForceIsNotRestarted", 0, "100 tap F2", 0, -750, -250, {}},
        KeysCase{"AHeldKeyActsOnce", 0, "100 down F5\n600 up F5", 0, -1000, -250, {"vol sounds/music/music4.wav"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TrackCase {
  uint8_t musicTrack;
  uint8_t ambienceTrack;
  uint8_t mode;
  Heard heard;
};

TEST(BackgroundLoop, PlaysTheModesTrackAtTheTracksVolume) {
  const std::vector<TrackCase> cases = {
      {1, 2, 0, {"vol sounds/music/music1.wav vol=-500", "play sounds/music/music1.wav loop=1"}},
      {4, 1, 0, {"vol sounds/music/music4.wav vol=-2000", "play sounds/music/music4.wav loop=1"}},
      {6, 1, 0, {"play sounds/music/music6.wav loop=1"}},
      {3, 1, 1, {"vol sounds/music/amb1.wav vol=-250", "play sounds/music/amb1.wav loop=1"}},
      {1, 2, 1, {"play sounds/music/amb2.wav loop=1"}},
      {5, 2, 2, {}},
  };
  for (const TrackCase& c : cases) {
    test::SimGame sim;
    PlayerRecord& p = sim.game.player;
    p.backgroundMode = c.mode;
    p.musicVolumes = {0, -500, -1000, 0, -2000, 0, 0};
    p.ambienceVolumes = {0, -250, 0, 0, 0, 0, 0};
    sim.game.music.musicTrack = c.musicTrack;
    sim.game.music.ambienceTrack = c.ambienceTrack;
    StartBackgroundLoop(sim.game);
    Heard heard;
    for (const std::string& line : sim.host.GetLog().Lines()) {
      const test::LogLine l = test::ParseLogLine(line);
      heard.push_back(l.op + " " + l.rest.substr(0, l.rest.find(' ', l.rest.find(' ') + 1)));
    }
    EXPECT_EQ(heard, c.heard) << "music " << int(c.musicTrack) << " mode " << int(c.mode);
  }
}

}  // namespace
}  // namespace sb
