#include "sound/speech.h"

#include <gtest/gtest.h>

#include <sstream>

#include "input/input.h"
#include "platform/key_map.h"
#include "sound/game_sounds.h"
#include "sound/sound_engine.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using test::Down;
using test::Up;

std::vector<std::string> Words(const std::string& spaced) {
  std::vector<std::string> out;
  std::istringstream in(spaced);
  for (std::string w; in >> w;) out.push_back("sounds/numbers/" + w + ".wav");
  return out;
}

TEST(SpeakNumber, JoinsNumberWords) {
  const struct {
    int32_t n;
    const char* words;
  } cases[] = {
      {0, "zero"},
      {7, "7"},
      {12, "12"},
      {20, "20"},
      {21, "20 1"},
      {100, "1 hundred"},
      {110, "1 hundred 10"},
      {115, "1 hundred 15"},
      {1000, "1 thousand"},
      {1015, "1 thousand 15"},
      {10000, "10 thousand"},
      {10010, "10 thousand 10"},
      {19000, "19 thousand"},
      {90009, "90 thousand 9"},
      {12345, "12 thousand 3 hundred 40 5"},
      {110000, "1 hundred 10 thousand"},
      {1000000, "1 million"},
      {1000001, "1 million 1"},
      {12000000, "12 million"},
      {21000021, "20 1 million 20 1"},
      {100000000, "1 hundred million"},
      {999999999, "9 hundred 90 9 million 9 hundred 90 9 thousand 9 hundred 90 9"},
      // Past the ninth digit nothing is spoken: two billion is dropped.
      {2147483647, "1 hundred 40 7 million 4 hundred 80 3 thousand 6 hundred 40 7"},
  };
  for (const auto& c : cases) {
    test::SimGame sim;
    SpeakNumber(sim.game, c.n);
    EXPECT_EQ(sim.Played(), Words(c.words)) << c.n;
  }
}

TEST(SpeakNumber, WaitsForEachWord) {
  SimOptions options;
  options.lengths["sounds/numbers/20.wav"] = 700;
  test::SimGame sim(options);
  SpeakNumber(sim.game, 21);
  const auto& lines = sim.host.GetLog().Lines();
  EXPECT_EQ(test::ParseLogLine(lines.front()).ms, 0);
  EXPECT_EQ(lines.back(), "700 play sounds/numbers/1.wav loop=0 vol=0 pan=0 freq=22050 buf=2");
  EXPECT_EQ(sim.host.Ticks(), 1200);
}

TEST(PlaySound, ANewPromptCutsOffTheOneWithoutWait) {
  test::SimGame sim;
  PlaySound(sim.game, "sounds/d_level.wav", 0, false);
  sim.host.AdvanceMs(100);
  PlaySound(sim.game, "sounds/d_wave.wav", -300, false);
  EXPECT_EQ(sim.Log({"play", "stop", "pan"}),
            (std::vector<std::string>{"play sounds/d_level.wav", "stop sounds/d_level.wav", "pan sounds/d_wave.wav",
                                      "play sounds/d_wave.wav"}));
  EXPECT_EQ(sim.game.sound.GetMixer().ActiveVoices(), 1u);
}

// F12 skips the prompt playing; while it stays down it skips nothing more.
TEST(PlaySound, F12SkipsOnePromptPerPress) {
  SimOptions options;
  options.lengths["sounds/d_level.wav"] = 2000;
  options.lengths["sounds/d_wave.wav"] = 2000;
  options.script = {Down(100, dik::F12), Up(3000, dik::F12), Down(3200, dik::F12)};
  test::SimGame sim(options);
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  EXPECT_EQ(sim.host.Ticks(), 100);
  PlaySound(sim.game, "sounds/d_wave.wav", 0, true);
  EXPECT_EQ(sim.host.Ticks(), 2100) << "a held F12 does not skip the next prompt";
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  EXPECT_EQ(sim.host.Ticks(), 3200);
}

TEST(PlaySound, AMissingPromptShowsItsErrorAndReturns) {
  SimOptions options;
  options.missing = {"sounds/d_level.wav"};
  test::SimGame sim(options);
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  EXPECT_EQ(sim.host.GetLog().Lines(),
            (std::vector<std::string>{"0 msgbox Error: PlaySound #53 - File not found: sounds/d_level.wav"}));
}

struct Prompt : ::testing::Test {
  void Start(std::vector<ScriptEvent> script, int promptMs = 1000) {
    SimOptions options;
    options.script = std::move(script);
    options.lengths["system/menu/newgame.wav"] = promptMs;
    sim = std::make_unique<test::SimGame>(options);
    test::UseDefaultActions(sim->game);
  }
  std::unique_ptr<test::SimGame> sim;
};

TEST_F(Prompt, TheKeyThatOpenedAMenuDoesNotCutItsFirstPrompt) {
  Start({Down(0, dik::RETURN), Up(80, dik::RETURN)});
  sim->host.AdvanceMs(1);
  PollInput(sim->game);  // the menu saw Enter and opened
  PlayPromptInterruptible(sim->game, "system\\menu\\newgame.wav");
  const auto lines = sim->host.GetLog().Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "80 play system/menu/newgame.wav loop=0 vol=0 pan=0 freq=22050 buf=1");
  EXPECT_EQ(sim->host.Ticks(), 1080) << "it then plays to its end";
}

TEST_F(Prompt, MenuKeysAndMovementCutItShortAndStayDown) {
  const struct {
    uint8_t key;
    bool cuts;
  } cases[] = {{dik::DOWN, true},   {dik::UP, true},    {dik::TAB, true},  {dik::ESCAPE, true},
               {dik::SPACE, true},  {dik::RETURN, true}, {dik::LEFT, true}, {dik::LCONTROL, true},
               {dik::A, false},     {dik::F1, false}};
  for (const auto& c : cases) {
    Start({Down(300, c.key)});
    PlayPromptInterruptible(sim->game, "system\\menu\\newgame.wav");
    EXPECT_EQ(sim->host.Ticks(), c.cuts ? 300 : 1000) << dik::Name(c.key);
    EXPECT_FALSE(sim->game.speech.promptChannel.IsPlaying());
    if (c.cuts) {
      EXPECT_TRUE(KeyDown(sim->game.input, c.key)) << "left for the menu to read";
    }
  }
}

TEST(StatusWait, AnswersQueriesUntilSpace) {
  SimOptions options;
  options.script = {Down(1000, dik::S), Up(1050, dik::S),   Down(3000, dik::H), Up(3050, dik::H),
                    Down(5000, dik::END), Up(5050, dik::END), Down(12000, dik::SPACE)};
  test::SimGame sim(options);
  test::UseDefaultActions(sim.game);
  sim.game.state.Score = 20;
  sim.game.player.personalBest = 7;
  sim.game.state.Energy = 90;
  sim.game.state.MissilesSpent = 10;
  sim.game.state.Nukes = 2;
  BreakStatusWait(sim.game);
  EXPECT_EQ(sim.Played(),
            (std::vector<std::string>{"sounds/smackem.wav", "sounds/d_cursco.wav", "sounds/numbers/20.wav",
                                      "system/menu/hs_yhsi.wav", "sounds/numbers/7.wav", "sounds/pEnergy.wav",
                                      "sounds/numbers/90.wav", "sounds/locate.wav", "sounds/pNuke.wav",
                                      "sounds/numbers/2.wav", "sounds/locate.wav"}));
  EXPECT_EQ(sim.host.Ticks(), 12000);
}

TEST(StatusWait, PressKeyWaitGivesNoInventory) {
  SimOptions options;
  options.script = {Down(1000, dik::END), Up(1050, dik::END), Down(2000, dik::ESCAPE)};
  test::SimGame sim(options);
  test::UseDefaultActions(sim.game);
  PressKeyWait(sim.game);
  EXPECT_EQ(sim.Played(), (std::vector<std::string>{"system/menu/presskey.wav"}));
}

TEST(Pause, HoldsUntilPAndRestoresTheBackgroundVolume) {
  SimOptions options;
  options.script = {Down(3000, dik::P)};
  test::SimGame sim(options);
  LoadGameSounds(sim.game);
  LoadSound(sim.game, sim.game.music.backgroundLoop, "sounds\\music\\music3.wav");
  sim.game.music.musicTrack = 3;
  sim.game.player.musicVolumes[3] = -750;
  sim.game.music.backgroundLoop.Play(true);
  sim.ClearLog();
  PauseGame(sim.game);
  EXPECT_EQ(sim.Log({"play", "stop", "vol"}),
            (std::vector<std::string>{"vol sounds/music/music3.wav", "play sounds/Paused.wav",
                                      "play sounds/PausedLp.wav", "stop sounds/PausedLp.wav",
                                      "play sounds/Resumed.wav", "vol sounds/music/music3.wav"}));
  EXPECT_EQ(sim.game.music.backgroundLoop.Volume(), -750);
  EXPECT_EQ(sim.host.Ticks(), 3500);
}

TEST(Pause, PHeldThroughThePausedPromptResumesAtOnce) {
  SimOptions options;
  options.script = {Down(100, dik::P)};
  test::SimGame sim(options);
  LoadGameSounds(sim.game);
  PauseGame(sim.game);
  EXPECT_EQ(sim.host.Ticks(), 1000);  // "paused" then "resumed", nothing between
}

}  // namespace
}  // namespace sb
