#include "game/waves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/score_codec.h"
#include "support/playing_game.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;
using enum Colour;

using test::Count;

TEST(LevelWaveTable, HoldsTheMixOfEveryWave) {
  const struct {
    uint8_t level, wave;
    Colour colour;
    ColourRow row;
  } cases[] = {
      {1, 1, Green, {15, 10, 6, 0}},   {1, 5, Green, {25, 10, 3, 0}},   {2, 3, Red, {12, 15, 8, 0}},
      {3, 3, Blue, {13, 10, 8, 30}},   {4, 2, Violet, {25, 15, 8, 35}}, {5, 1, Yellow, {10, 20, 4, 20}},
      {6, 5, Violet, {16, 15, 8, 35}}, {6, 5, Yellow, {20, 15, 6, 30}}, {6, 5, Cyan, {20, 15, 6, 0}},
      {7, 2, Orange, {15, 10, 6, 80}}, {8, 3, Blue, {10, 15, 8, 20}},   {8, 5, Silver, {25, 5, 8, 0}},
  };
  for (const auto& c : cases) {
    const ColourRow& r = LevelWaveRow(c.level, c.wave).colours[static_cast<size_t>(c.colour)];
    const std::string where = std::to_string(c.level) + ":" + std::to_string(c.wave);
    EXPECT_EQ(r.Count, c.row.Count) << where;
    EXPECT_EQ(r.StepDelay, c.row.StepDelay) << where;
    EXPECT_EQ(r.SpawnInterval, c.row.SpawnInterval) << where;
    EXPECT_EQ(r.DriftStep, c.row.DriftStep) << where;
  }
  // Level 6 wave 5 is the busiest: three colours, 56 aliens.
  int total = 0;
  for (const ColourRow& r : LevelWaveRow(6, 5).colours) total += r.Count;
  EXPECT_EQ(total, 56);
}

TEST(LevelWaveTable, SaucersComeOnlyWhereTheRowSaysSo) {
  const struct {
    uint8_t level, wave;
    bool saucer;
    int16_t stepDelay, chanceRange;
  } cases[] = {{1, 1, false, 0, 0}, {1, 3, true, 40, 20}, {2, 4, true, 60, 40},
               {6, 5, false, 0, 0}, {7, 3, true, 10, 50}, {8, 5, true, 30, 10}};
  for (const auto& c : cases) {
    const WaveRow& row = LevelWaveRow(c.level, c.wave);
    EXPECT_EQ(row.saucer, c.saucer) << int(c.level) << ":" << int(c.wave);
    EXPECT_EQ(row.SaucerStepDelay, c.stepDelay);
    EXPECT_EQ(row.SaucerChanceRange, c.chanceRange);
  }
  for (uint8_t level = 1; level <= 8; ++level) {
    for (uint8_t wave = 1; wave <= 5; ++wave) {
      const WaveRow& row = LevelWaveRow(level, wave);
      const bool anyAliens =
          std::any_of(row.colours.begin(), row.colours.end(), [](const ColourRow& r) { return r.Count > 0; });
      EXPECT_TRUE(anyAliens) << int(level) << ":" << int(wave);
    }
  }
}

TEST(StartWave, SetsUpTheRowsColoursAndAnnouncesTheWave) {
  test::PlayingGame sim;
  Game& game = sim.game;
  // What the last wave left behind.
  AlienGroup& green = game.aliens[Green];
  green.Count = 15;
  green.Spawned = 15;
  green.MoveIndex = 7;
  green.HitIndex = 3;
  green.FirstSpawnDone = true;
  green.Started = true;
  green.Aliens.resize(16);
  AlienGroup& cyan = game.aliens[Cyan];
  cyan.Aliens.resize(40);
  cyan.Aliens[3].Destroyed = true;
  game.saucer.SaucerEnabled = true;
  game.state.ShipX = 900;
  game.state.Level = 6;
  game.state.Wave = 5;
  game.state.wave = {.AlienLandedThisWave = true, .NoLandingKills = 3, .SureShots = 4, .MultiKills = 2,
                     .MultiKillOpen = true, .MultiKillCount = 2, .MultiKillStart = 7, .WaveCleared = true};

  StartWave(game);

  EXPECT_TRUE(game.state.wave == WaveState{}) << "the wave counts afresh";

  EXPECT_EQ(green.Count, 0);
  EXPECT_EQ(green.Spawned, 0);
  EXPECT_EQ(green.MoveIndex, 0);
  EXPECT_EQ(green.HitIndex, 0);
  EXPECT_FALSE(green.FirstSpawnDone);
  EXPECT_TRUE(green.Started) << "the start gate is not the wave's to reset";
  EXPECT_EQ(green.Aliens.size(), 16u) << "a colour the wave does not use keeps its records";
  for (Colour c : {Violet, Yellow, Cyan}) {
    const AlienGroup& g = game.aliens[c];
    const ColourRow& row = LevelWaveRow(6, 5).colours[static_cast<size_t>(c)];
    EXPECT_EQ(g.Count, row.Count);
    EXPECT_EQ(g.StepDelay, row.StepDelay);
    EXPECT_EQ(g.SpawnInterval, row.SpawnInterval);
    EXPECT_EQ(g.DriftStep, row.DriftStep);
    ASSERT_EQ(g.Aliens.size(), row.Count + 1u) << "records 0 to Count";
    EXPECT_TRUE(std::none_of(g.Aliens.begin(), g.Aliens.end(), [](const AlienRecord& r) { return r.Destroyed; }))
        << "a fresh array";
  }
  EXPECT_FALSE(game.saucer.SaucerEnabled);
  EXPECT_EQ(game.state.ShipX, 5000);
  EXPECT_EQ(game.state.ShipY, 6850);
  EXPECT_EQ(game.music.musicTrack, 6);
  EXPECT_EQ(game.music.ambienceTrack, 2);
  const Strings played = sim.Played();
  ASSERT_EQ(played.size(), 7u);
  EXPECT_EQ(Strings(played.begin(), played.begin() + 6),
            (Strings{"sounds/d_level.wav", "sounds/d_6.wav", "sounds/d_wave.wav", "sounds/d_5.wav",
                     "sounds/music/music6.wav", "sounds/nitelife.wav"}));
  EXPECT_TRUE(played[6] == "sounds/letsgo1.wav" || played[6] == "sounds/letsgo2.wav") << played[6];
  EXPECT_TRUE(game.sounds.nightLife.IsPlaying());
  EXPECT_EQ(game.sounds.nightLife.Volume(), -10000) << "silent until the ship nears a wall";
  EXPECT_FALSE(game.speech.gameStartPrompt);
}

TEST(StartWave, ASaucerWaveEnablesItsSaucerAndTheFirstWaveOfALevelForgetsThePerfectWaves) {
  const struct {
    uint8_t level, wave;
    uint8_t perfectAfter;
    bool saucer;
  } cases[] = {{1, 3, 2, true}, {2, 1, 0, true}, {1, 2, 2, false}};
  for (const auto& c : cases) {
    test::PlayingGame sim;
    sim.game.state.Level = c.level;
    sim.game.state.Wave = c.wave;
    sim.game.state.PerfectWaves = 2;
    StartWave(sim.game);
    EXPECT_EQ(sim.game.state.PerfectWaves, c.perfectAfter);
    EXPECT_EQ(sim.game.saucer.SaucerEnabled, c.saucer);
    if (c.saucer) {
      const WaveRow& row = LevelWaveRow(c.level, c.wave);
      EXPECT_EQ(sim.game.saucer.SaucerStepDelay, row.SaucerStepDelay);
      EXPECT_EQ(sim.game.saucer.SaucerChanceRange, row.SaucerChanceRange);
    }
  }
}

// A wave of two colours at level 1 wave 2; `destroyed` marks which records are down.
void SetUpTwoColours(Game& game, uint8_t greens, uint8_t reds) {
  game.state.Level = 1;
  game.state.Wave = 2;
  game.state.GameActive = true;
  for (auto [colour, count] : {std::pair{Green, greens}, std::pair{Red, reds}}) {
    AlienGroup& g = game.aliens[colour];
    g.Count = count;
    g.Spawned = count;
    g.Aliens.resize(count + 1u);
    for (uint8_t i = 0; i < count; ++i) g.Aliens[i].Destroyed = true;
  }
}

// The kill only marks the wave cleared; its tally comes from the game loop.
TEST(CheckWaveCleared, MarksTheWaveOnlyWhenEveryAlienOfEveryColourIsDown) {
  const struct {
    const char* name;
    bool active;
    Colour survivor;
    int survivorIndex;  // -1: none
    bool cleared;
  } cases[] = {
      {"all down", true, Green, -1, true},
      {"a red still flies", true, Red, 2, false},
      {"the last green still flies", true, Green, 2, false},
      {"between waves", false, Green, -1, false},
  };
  for (const auto& c : cases) {
    test::PlayingGame sim;
    SetUpTwoColours(sim.game, 3, 4);
    sim.game.state.GameActive = c.active;
    if (c.survivorIndex >= 0) sim.game.aliens[c.survivor].Aliens[c.survivorIndex].Destroyed = false;
    CheckWaveCleared(sim.game);
    EXPECT_EQ(sim.game.state.wave.WaveCleared, c.cleared) << c.name;
    EXPECT_TRUE(sim.Played().empty()) << c.name << ": nothing of the tally yet";
  }
}

TEST(CheckWaveCleared, AColourNotAllReleasedIsNotCleared) {
  test::PlayingGame sim;
  SetUpTwoColours(sim.game, 3, 4);
  AlienGroup& red = sim.game.aliens[Red];
  red.Spawned = 2;
  red.Aliens[2].Destroyed = red.Aliens[3].Destroyed = false;
  CheckWaveCleared(sim.game);
  EXPECT_FALSE(sim.game.state.wave.WaveCleared);
}

struct TallyCase {
  const char* name;
  uint8_t level;
  uint8_t difficulty;
  uint8_t kills;  // NoLandingKills
  bool landed;
  size_t ticks;
  int32_t points;
};

TEST(CompleteWave, PaysTheNoLandingKillsAndThePerfectWaveWithTheirTicks) {
  const TallyCase cases[] = {
      {"a landing before any kill", 1, 1, 0, true, 0, 0},
      {"four kills, then a landing", 1, 1, 4, true, 6, 4000},
      {"one kill ticks twice", 1, 1, 1, true, 2, 1000},
      {"three kills on medium", 2, 2, 3, true, 4, 6000},
      {"a perfect wave on level 3", 3, 1, 5, false, 8, 155000},
      {"a perfect wave on hard", 3, 3, 5, false, 8, 465000},
      {"a perfect wave of missile kills", 3, 1, 0, false, 0, 150000},
  };
  for (const auto& c : cases) {
    SimOptions options;
    options.lengths["sounds/boncount.wav"] = 5;
    test::PlayingGame sim(options);
    GameState& s = sim.game.state;
    sim.game.player.personalBest = 1'000'000'000;
    s.Level = c.level;
    s.Wave = 2;
    s.Difficulty = c.difficulty;
    s.wave.NoLandingKills = c.kills;
    s.wave.AlienLandedThisWave = c.landed;
    s.PerfectWaves = 1;
    s.GameActive = true;
    CompleteWave(sim.game);
    const Strings played = sim.Played();
    const bool bonus = c.kills > 0 || !c.landed;
    EXPECT_EQ(Count(played, "sounds/d_nlb.wav"), bonus ? 1u : 0u) << c.name;
    EXPECT_EQ(Count(played, "sounds/boncount.wav"), c.ticks) << c.name;
    EXPECT_EQ(Count(played, "sounds/nlball.wav"), c.landed ? 0u : 1u) << c.name;
    EXPECT_EQ(s.Score, c.points) << c.name;
    EXPECT_EQ(s.PerfectWaves, c.landed ? 1 : 2) << c.name;
    EXPECT_FALSE(s.GameActive) << c.name;
  }
}

TEST(CompleteWave, WaitsTwoSecondsThenSpeaksTheWaveTheBonusAndTheCounts) {
  SimOptions options;
  options.lengths["sounds/boncount.wav"] = 5;
  test::PlayingGame sim(options);
  Game& game = sim.game;
  const GameState& s = game.state;
  test::ClearedWave(game, 7, 1);
  game.sounds.shield.Play(false);
  game.sounds.nightLife.SetVolume(-400);
  sim.ClearLog();
  CompleteWave(game);
  const auto& lines = sim.host.GetLog().Lines();
  const auto wavcom = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.find("play sounds/d_wavcom.wav") != l.npos; });
  ASSERT_NE(wavcom, lines.end());
  EXPECT_EQ(test::ParseLogLine(*wavcom).ms, 2001);
  const Strings played = sim.Played();
  const Strings expected = {"sounds/d_wavcom.wav",  "sounds/d_nlb.wav",     "sounds/boncount.wav",
                            "sounds/boncount.wav",  "sounds/boncount.wav",  "sounds/d_sskill.wav",
                            "sounds/numbers/7.wav", "sounds/d_multi.wav",   "sounds/numbers/1.wav",
                            "sounds/smackem.wav"};  // two kills tick three times
  EXPECT_EQ(played, expected);
  EXPECT_EQ(sim.Log({"stop", "vol"}),
            (Strings{"stop sounds/shield.wav", "vol sounds/thrburst.wav", "vol sounds/pwthrust.wav",
                     "vol sounds/thrstop.wav", "vol sounds/nitelife.wav"}));
  EXPECT_EQ(game.sounds.nightLife.Volume(), -10000);
  EXPECT_EQ(s.Wave, 3);
  EXPECT_EQ(s.Score, 2000);
}

// The ticks come sooner and higher: the gaps shrink by 5 ms from 195 down to
// 10, the pitch rises by 1000 Hz from 45100 while it is below 60000.
TEST(CompleteWave, TheTicksSpeedUpAndRise) {
  SimOptions options;
  options.lengths["sounds/boncount.wav"] = 5;
  test::PlayingGame sim(options);
  GameState& s = sim.game.state;
  sim.game.player.personalBest = 1'000'000'000;
  s.Level = 1;
  s.Wave = 1;
  s.wave.NoLandingKills = 30;  // 45 ticks
  s.wave.AlienLandedThisWave = true;
  CompleteWave(sim.game);
  std::vector<int> times;
  std::vector<int> frequencies;
  for (const std::string& line : sim.host.GetLog().Lines()) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op != "play" || l.rest.rfind("sounds/boncount.wav", 0) != 0) continue;
    times.push_back(l.ms);
    frequencies.push_back(std::stoi(l.rest.substr(l.rest.find("freq=") + 5)));
  }
  ASSERT_EQ(times.size(), 45u);
  for (size_t i = 0; i < times.size(); ++i) {
    EXPECT_EQ(frequencies[i], std::min<int>(45100 + 1000 * static_cast<int>(i), 60100)) << i;
    if (i == 0) continue;
    const int delay = std::max<int>(200 - 5 * static_cast<int>(i), 10);
    EXPECT_EQ(times[i] - times[i - 1], delay + 1) << i;
  }
}

TEST(CompleteWave, StoresTheBestAgainOnlyInAGameThatPassedIt) {
  for (bool passed : {false, true}) {
    test::PlayingGame sim;
    sim.game.player.personalBest = 70000;
    sim.game.player.bestDifficulty = "Hard";
    sim.game.player.newBest = passed;
    sim.game.state.Score = passed ? 90000 : 10;
    sim.game.state.Level = 1;
    sim.game.state.Wave = 1;
    sim.game.state.wave.AlienLandedThisWave = true;
    CompleteWave(sim.game);
    const Strings expected = passed ? Strings{"settings KVZ31P/Settings/HSLevel=Hard",
                                              "settings KVZ31P/Settings/HS=" + ToBase36(EncodeScore(70000))}
                                    : Strings{};
    EXPECT_EQ(sim.Log({"settings"}), expected) << passed;
  }
}

struct AdvanceCase {
  const char* name;
  uint8_t level, wave;
  uint8_t perfectBefore;
  bool perfect;  // this wave had no landing
  bool levelSelected;
  uint8_t levelAfter, waveAfter;
  bool levelUp;
  bool bonusRound;
  bool boss;      // left alone in the boss round, the ship is worn down: game over
  size_t breaks;  // status waits
};

TEST(CompleteWave, AdvancesToTheNextWaveLevelBonusRoundOrBoss) {
  const AdvanceCase cases[] = {
      {"next wave", 1, 3, 2, true, false, 1, 4, false, false, false, 1},
      {"five perfect waves", 1, 5, 4, true, false, 2, 1, true, true, false, 2},
      {"four perfect and one not", 1, 5, 4, false, false, 2, 1, true, false, false, 2},
      // The game over speaks the score and waits for the player once more.
      {"the last level goes to the boss", 8, 5, 0, false, false, 8, 1, false, false, true, 3},
      {"five perfect on the last level: still the boss", 8, 5, 4, true, false, 8, 1, false, false, true, 3},
      {"from the level select, no boss", 8, 5, 0, false, true, 8, 1, false, false, false, 1},
  };
  for (const auto& c : cases) {
    SimOptions options;
    options.passesPerMs = 1;  // the rounds are minutes of play
    test::PlayingGame sim(options);
    GameState& s = sim.game.state;
    sim.game.player.personalBest = 1'000'000'000;
    s.Level = c.level;
    s.Wave = c.wave;
    s.PerfectWaves = c.perfectBefore;
    s.wave.AlienLandedThisWave = !c.perfect;
    s.LevelSelected = c.levelSelected;
    CompleteWave(sim.game);
    const Strings played = sim.Played();
    EXPECT_EQ(s.Level, c.levelAfter) << c.name;
    EXPECT_EQ(s.Wave, c.waveAfter) << c.name;
    EXPECT_EQ(Count(played, "sounds/d_lvlup.wav"), c.levelUp ? 1u : 0u) << c.name;
    EXPECT_EQ(Count(played, "sounds/d_bonus.wav"), c.bonusRound ? 1u : 0u) << c.name;
    EXPECT_EQ(Count(played, "sounds/liftoff.wav"), c.boss ? 1u : 0u) << c.name;
    EXPECT_EQ(s.QuitToMenu, c.boss) << c.name << ": the boss round always ends the game";
    EXPECT_EQ(Count(played, "sounds/smackem.wav"), c.breaks) << c.name;
    EXPECT_EQ(Count(played, "sounds/d_cursco.wav"), (c.wave == 5 ? 1u : 0u) + (c.boss ? 1u : 0u))
        << c.name << ": the score at a level's end";
    if (c.bonusRound) {
      EXPECT_EQ(s.PerfectWaves, 0) << c.name;
    }
  }
}

TEST(StartBonusRound, AnnouncesTheRoundItChoosesAtRandom) {
  std::set<std::string> chosen;
  for (uint32_t seed = 0; seed < 12; ++seed) {
    SimOptions options;
    options.seed = seed * 997;
    options.passesPerMs = 1;
    options.script = {test::Down(10000, dik::ESCAPE)};  // the round itself is not what is tested here
    test::PlayingGame sim(options);
    StartBonusRound(sim.game);
    const Strings played = sim.Played();
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ(played[0], "sounds/d_bonus.wav");
    const bool sheep = played[1] == "sounds/d_sheep.wav";
    EXPECT_TRUE(sheep || played[1] == "sounds/d_meteor.wav") << played[1];
    EXPECT_GE(Count(played, sheep ? "sounds/cargship.wav" : "sounds/metdrop.wav"), 1u) << "and plays it";
    chosen.insert(played[1]);
  }
  EXPECT_EQ(chosen.size(), 2u) << "both rounds come up";
}

}  // namespace
}  // namespace sb
