#include "sound/own_voice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/captions.h"
#include "game/waves.h"
#include "input/input.h"
#include "menus/program_run.h"
#include "sound/speech.h"
#include "support/playing_game.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

constexpr int kMsPerChar = 60;  // the simulator's speaking time per character

SimOptions InOwnVoice(SimOptions options = {}) {
  options.settings["Starbarrow/Speech/voice"] = "screen-reader";
  return options;
}

// A game in the player's own voice, its start-up sounds loaded.
struct OwnVoiceGame : test::SimGame {
  explicit OwnVoiceGame(SimOptions options = {}) : test::SimGame(test::Bounded(InOwnVoice(std::move(options)))) {
    LoadVoiceChoice(game);
    LoadGameSounds(game);
    ClearLog();
  }
};

// "<ms> <op> <rest>" of the lines with these ops.
Strings Timed(const test::SimGame& sim, const std::vector<std::string>& ops) {
  Strings out;
  for (const std::string& line : sim.host.GetLog().Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (std::find(ops.begin(), ops.end(), l.op) != ops.end()) {
      out.push_back(std::to_string(l.ms) + " " + l.op + (l.rest.empty() ? "" : " " + l.rest));
    }
  }
  return out;
}

int32_t SpeakingMs(const std::string& words) { return static_cast<int32_t>(words.size()) * kMsPerChar; }

// The items appear in `all` in this order, with anything between them.
bool InOrder(const Strings& all, const Strings& items) {
  auto at = all.begin();
  for (const std::string& item : items) {
    at = std::find(at, all.end(), item);
    if (at == all.end()) return false;
    ++at;
  }
  return true;
}

// No recording with words was played: the player's own voice said them all.
void ExpectNoRecordedWords(const Strings& played) {
  for (const std::string& file : played) EXPECT_FALSE(CaptionFor(file)) << file << " was played recorded";
}

TEST(OwnVoice, SaysAWholeNumberAsOneUtteranceAndWaitsForItsEnd) {
  const struct {
    int32_t n;
    const char* words;
  } cases[] = {
      {0, "zero"},
      {7, "seven"},
      {21, "twenty-one"},
      {110, "one hundred ten"},
      {12345, "twelve thousand three hundred forty-five"},
      {1000001, "one million one"},
  };
  for (const auto& c : cases) {
    OwnVoiceGame sim;
    SpeakNumber(sim.game, c.n);
    EXPECT_TRUE(sim.Played().empty()) << c.n;
    EXPECT_EQ(sim.LogRest("say"), Strings{"\"" + std::string(c.words) + "\""}) << c.n;
    EXPECT_EQ(sim.host.Ticks(), SpeakingMs(c.words)) << c.n;
  }
}

TEST(OwnVoice, ANewPromptCutsOffTheOneSpeakingAndWaitsWaitForTheEndOfSpeech) {
  OwnVoiceGame sim;
  PlaySound(sim.game, "sounds/d_level.wav", 0, false);
  sim.host.AdvanceMs(100);
  PlaySound(sim.game, "sounds/d_wave.wav", 0, true);
  EXPECT_EQ(Timed(sim, {"say", "saystop", "play"}),
            (Strings{"0 say \"Level\"", "100 saystop", "100 say \"Wave\""}));
  EXPECT_EQ(sim.host.Ticks(), 100 + SpeakingMs("Wave"));
}

TEST(OwnVoice, F12SkipsThePromptBeingSaid) {
  OwnVoiceGame sim(test::Scripted("300 tap F12"));
  PlaySound(sim.game, "sounds/smackem.wav", 0, true);
  EXPECT_EQ(Timed(sim, {"say", "saystop"}), (Strings{"0 say \"Press space when you are ready.\"", "300 saystop"}));
  EXPECT_EQ(sim.host.Ticks(), 300);
}

TEST(OwnVoice, AMenuPromptEndsAtAKeyAndSoundsWithoutWordsStayRecorded) {
  OwnVoiceGame sim(test::Scripted("400 tap DOWN"));
  PlaySound(sim.game, "system\\menu\\bleep.wav", 0, false);
  PlayPromptInterruptible(sim.game, "system\\menu\\kconfig.wav");
  EXPECT_EQ(Timed(sim, {"say", "saystop", "play"}),
            (Strings{"0 play system/menu/bleep.wav loop=0 vol=0 pan=0 freq=22050", "0 say \"Map the keyboard\"",
                     "400 saystop"}));
}

TEST(OwnVoice, ThePromptsOwnSoundsPlayWhenItsWordsEnd) {
  OwnVoiceGame sim;
  const std::string words = "Green alien. One shot destroys it.";
  PlaySound(sim.game, "system\\menu\\desc\\s1.wav", 0, true);
  EXPECT_EQ(Timed(sim, {"say", "play"}),
            (Strings{"0 say \"" + words + "\"",
                     std::to_string(SpeakingMs(words)) +
                         " play system/menu/desc/bare/s1.wav loop=0 vol=0 pan=0 freq=22050"}));
  EXPECT_EQ(sim.host.Ticks(), SpeakingMs(words) + 500);  // the bare recording's 500 ms
}

TEST(OwnVoice, AnEndOfSpeechThatNeverComesIsGivenUpOn) {
  SimOptions slow;
  slow.speechMsPerChar = 2000;  // "Level" would take ten seconds
  OwnVoiceGame sim(slow);
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  EXPECT_EQ(sim.host.Ticks(), 3000 + 5 * 200 + 1);
  EXPECT_NE(sim.Reports().find("gave no end of speech"), std::string::npos) << sim.Reports();
  EXPECT_TRUE(OwnVoiceOn(sim.game));  // a slow voice is still the player's voice
}

TEST(OwnVoice, WithoutASpeechServiceTheRecordedVoiceSaysSoOnceAndSpeaksOn) {
  SimOptions none;
  none.noSpeechService = true;
  OwnVoiceGame sim(none);
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  SpeakNumber(sim.game, 21);
  EXPECT_EQ(sim.Played(), (Strings{"system/menu/novoice.wav", "sounds/d_level.wav", "sounds/numbers/20.wav",
                                   "sounds/numbers/1.wav"}));
  EXPECT_TRUE(sim.LogRest("say").empty());
  const std::string reports = sim.Reports();
  EXPECT_EQ(std::count(reports.begin(), reports.end(), '\n'), 1) << reports;
  EXPECT_EQ(sim.game.speech.chosen, Voice::PlayersOwn);  // the choice is kept for the next run
  EXPECT_FALSE(OwnVoiceOn(sim.game));
}

// The service drops while it speaks: that end never comes, the wait gives up,
// the next prompt finds no service and the recorded voice says so. When the
// player switches voices, the own voice is tried again and speaks.
TEST(OwnVoice, ADroppedServiceIsToldOnceAndTriedAgainWhenThePlayerSwitches) {
  OwnVoiceGame sim(test::Scripted("100 speech lost\n20000 speech back\n21000 tap F8\n"));
  PlaySound(sim.game, "sounds/d_level.wav", 0, true);
  PlaySound(sim.game, "sounds/d_wave.wav", 0, true);
  EXPECT_EQ(sim.Played(), (Strings{"system/menu/novoice.wav", "sounds/d_wave.wav"}));
  ASSERT_TRUE(sim.Run([](Game& game) {
    while (game.host.Ticks() < 21100) {
      game.host.Yield();
      PollInput(game);
      HandleVoiceKey(game);
    }
  }));
  EXPECT_EQ(sim.LogRest("say"), (Strings{"\"Level\"", "\"Screen reader voice.\""}));
  EXPECT_TRUE(OwnVoiceOn(sim.game));
  EXPECT_EQ(sim.LogRest("settings"), Strings{"Starbarrow/Speech/voice=screen-reader"});
}

TEST(OwnVoice, TheVoiceKeySwitchesBothWaysAndTheChoiceIsKept) {
  test::SimGame sim(test::Bounded(test::Scripted("100 tap F8\n3000 tap F8\n")));
  LoadVoiceChoice(sim.game);
  ASSERT_TRUE(sim.Run([](Game& game) {
    while (game.host.Ticks() < 4000) {
      game.host.Yield();
      PollInput(game);
      HandleVoiceKey(game);
    }
  }));
  EXPECT_EQ(sim.LogRest("settings"),
            (Strings{"Starbarrow/Speech/voice=screen-reader", "Starbarrow/Speech/voice=recorded"}));
  EXPECT_EQ(sim.LogRest("say"), Strings{"\"Screen reader voice.\""});
  EXPECT_EQ(sim.Played(), Strings{"system/menu/recvoice.wav"});
}

// The whole main menu walked in the player's own voice: every item's words
// said, a Down cutting off the item being said, and nothing with words heard
// from a recording.
TEST(OwnVoice, TheMainMenuWalkedInTheOwnVoice) {
  std::string script;
  for (int i = 0; i < 10; ++i) script += std::to_string(5000 + i * 3000) + " tap DOWN\n";
  script += "35500 tap DOWN\n35600 tap DOWN\n";  // the second cuts off the first's words
  test::ProgramRun run(test::Bounded(InOwnVoice(test::Scripted(script, 41000))));
  run.Run();
  ExpectNoRecordedWords(run.Heard());
  const Strings said = run.sim.LogRest("say");
  EXPECT_TRUE(InOrder(said, {"\"Starbarrow!\"", "\"Main menu. Up and down arrows to choose, Enter to select.\"",
                             "\"Load saved game\"", "\"Start at a level\"", "\"Online score board\"",
                             "\"Sound descriptions\"", "\"Options\"", "\"Credits\"", "\"Speaker test\"",
                             "\"Play the introduction\"", "\"Exit\"", "\"New game\"", "\"Load saved game\"",
                             "\"Start at a level\""}))
      << testing::PrintToString(said);
  EXPECT_EQ(run.TimeOf("saystop"), 35600);
  EXPECT_EQ(run.TimeOf("play sounds/bare/sb.wav"), SpeakingMs("Starbarrow!"));  // the title's bed follows its word
}

// The options menu's voice item: said in both voices, Enter switches, and the
// item is said again in the voice now in effect.
TEST(OwnVoice, TheOptionsItemSwitchesVoices) {
  const std::string script =
      "2000 tap DOWN\n2500 tap DOWN\n3000 tap DOWN\n3500 tap DOWN\n4000 tap DOWN\n5000 tap RETURN\n"  // the options
      "10000 tap UP\n10500 tap UP\n12000 tap RETURN\n18000 tap RETURN\n";       // the voice item, twice
  test::ProgramRun run(test::Bounded(test::Scripted(script, 24000)));
  run.Run();
  EXPECT_EQ(run.sim.LogRest("settings"),
            (Strings{"Starbarrow/Speech/voice=screen-reader", "Starbarrow/Speech/voice=recorded"}));
  const Strings heard = run.Heard();
  const Strings said = run.sim.LogRest("say");
  EXPECT_NE(std::find(said.begin(), said.end(), "\"Speech voice.\""), said.end());
  EXPECT_NE(std::find(said.begin(), said.end(), "\"Screen reader voice.\""), said.end());
  EXPECT_NE(std::find(heard.begin(), heard.end(), "system/menu/voicemode.wav"), heard.end());
  EXPECT_EQ(heard.back(), "system/menu/recvoice.wav");
}

// A whole wave's tally in the player's own voice: the wave complete, its
// bells, the bonus and its ticks, the counts, each said and waited for.
TEST(OwnVoice, AWavesTallyIsSaidInTheOwnVoice) {
  SimOptions options = InOwnVoice(test::Scripted("0 down SPACE"));
  options.lengths["sounds/boncount.wav"] = 5;
  test::PlayingGame sim(options);
  Game& game = sim.game;
  LoadVoiceChoice(game);
  test::ClearedWave(game, 12345, 3);
  CompleteWave(game);
  EXPECT_EQ(sim.LogRest("say"),
            (Strings{"\"Wave complete!\"", "\"No landing bonus!\"", "\"Sure shot kills\"",
                     "\"twelve thousand three hundred forty-five\"", "\"Multi kills\"", "\"three\"",
                     "\"Press space when you are ready.\""}));
  ExpectNoRecordedWords(sim.Played());
  EXPECT_EQ(test::Count(sim.Played(), "sounds/boncount.wav"), 3u);
  // The bells follow the words; the bonus is said once they have rung.
  const int32_t bells = sim.FirstTime("play", "sounds/bare/d_wavcom.wav");
  EXPECT_EQ(bells, 2001 + SpeakingMs("Wave complete!"));
  EXPECT_TRUE(sim.LogRest("saystop").empty());
  EXPECT_EQ(game.state.Wave, 3);
}

}  // namespace
}  // namespace sb
