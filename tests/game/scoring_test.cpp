#include "game/scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "game/game_loop.h"
#include "game/high_score.h"
#include "platform/key_map.h"
#include "platform/score_codec.h"
#include "rounds/boss.h"
#include "rounds/rounds.h"
#include "sound/sound_engine.h"
#include "support/playing_game.h"
#include "support/script.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;

using test::Count;

TEST(AddScore, PaysTheDifficultyMultiplierAndInsaneOnlyDouble) {
  const struct {
    uint8_t difficulty;
    bool insane;
    int64_t points;
    int32_t score;
  } cases[] = {
      {1, false, 1000, 1000}, {2, false, 1000, 2000}, {3, false, 1000, 3000},
      {3, true, 1000, 2000},  {2, false, 542, 1084},  {1, false, 0, 0},
  };
  for (const auto& c : cases) {
    test::PlayingGame sim;
    sim.game.player.personalBest = 1'000'000'000;
    sim.game.state.Difficulty = c.difficulty;
    sim.game.state.InsaneMode = c.insane;
    AddScore(sim.game, c.points);
    EXPECT_EQ(sim.game.state.Score, c.score) << int(c.difficulty) << c.insane << c.points;
  }
}

TEST(AddScore, AScoreAtTheTopOfItsRangeStaysThere) {
  test::PlayingGame sim;
  sim.game.player.newBest = true;
  sim.game.state.Score = std::numeric_limits<int32_t>::max() - 10;
  AddScore(sim.game, 5000);
  EXPECT_EQ(sim.game.state.Score, std::numeric_limits<int32_t>::max());
}

// A game passes the best at 13000 and ends with 20000: the best follows the
// score once, is stored and announced once, and then stays put.
TEST(AddScore, TheFirstPassingOfTheBestIsStoredAndAnnouncedOnce) {
  test::PlayingGame sim;
  sim.game.player.personalBest = 12000;
  sim.game.state.Difficulty = 2;
  AddScore(sim.game, 2500);  // 5000
  EXPECT_FALSE(sim.game.player.newBest);
  AddScore(sim.game, 4000);  // 13000
  EXPECT_TRUE(sim.game.player.newBest);
  EXPECT_EQ(sim.game.player.personalBest, 13000);
  EXPECT_EQ(sim.game.player.bestDifficulty, "Medium");
  const int32_t announced = sim.host.Ticks();
  AddScore(sim.game, 3500);  // 20000
  EXPECT_EQ(sim.game.state.Score, 20000);
  EXPECT_EQ(sim.game.player.personalBest, 13000);
  EXPECT_EQ(sim.Log({"settings", "play"}),
            (Strings{"settings KVZ31P/Settings/HSLevel=Medium",
                     "settings KVZ31P/Settings/HS=" + ToBase36(EncodeScore(13000)), "play sounds/hiscore.wav"}));
  EXPECT_EQ(announced, 500) << "the announcement is waited for";
}

TEST(AddScore, AGameThatNeverPassesTheBestWritesNothing) {
  test::PlayingGame sim;
  sim.game.player.personalBest = 50000;
  AddScore(sim.game, 50000);  // equal is not past
  EXPECT_FALSE(sim.game.player.newBest);
  EXPECT_TRUE(sim.Log({"settings", "play"}).empty());
}

TEST(HighScoreRecord, NamesTheDifficultyAndStoresTheEncodedBest) {
  const struct {
    uint8_t difficulty;
    bool insane;
    const char* name;
  } cases[] = {{1, false, "Easy"}, {2, false, "Medium"}, {3, false, "Hard"}, {3, true, "Insane"}};
  for (const auto& c : cases) {
    test::PlayingGame sim;
    sim.game.player.personalBest = 0;  // a new installation: the first points pass the best
    sim.game.state.Difficulty = c.difficulty;
    sim.game.state.InsaneMode = c.insane;
    AddScore(sim.game, 1);
    EXPECT_EQ(sim.Log({"settings"}).front(), std::string("settings KVZ31P/Settings/HSLevel=") + c.name);
  }
  test::PlayingGame sim;
  sim.game.player.personalBest = 1000;
  sim.game.player.bestDifficulty = "Easy";
  StoreHighScoreRecord(sim.game);
  EXPECT_EQ(sim.Log({"settings"}).back(), "settings KVZ31P/Settings/HS=5CSC");
}

TEST(HighScoreRecord, SpeaksTheBest) {
  test::PlayingGame sim;
  sim.game.player.personalBest = 12000;
  SpeakHighScore(sim.game);
  EXPECT_EQ(sim.Played(), (Strings{"system/menu/hs_yhsi.wav", "sounds/numbers/12.wav", "sounds/numbers/thousand.wav"}));
}

struct DamageCase {
  int16_t energy;
  int16_t amount;
  bool shield;
  bool active;
  int16_t energyAfter;
  bool warned;
  bool over;
};

// The rule is one for every scene: a wave's game over and the boss round's
// differ only in what they silence.
TEST(DamagePlayer, LowersTheEnergyWarnsBelowThirtyAndEndsTheGameWhenNothingIsLeft) {
  const struct {
    const char* name;
    void (*endScene)(Game&);
  } scenes[] = {{"wave", EndWaveAtGameOver}, {"boss", ReleaseBoss}};
  const DamageCase cases[] = {
      {35, 5, false, true, 30, false, false},  // 30 is not below 30
      {30, 5, false, true, 25, true, false},
      {26, 5, false, true, 21, true, false},   // every hit below 30 warns
      {6, 5, false, true, 1, true, false},
      {5, 5, false, true, 5, false, true},     // the energy must stay above the damage
      {3, 5, false, true, 3, false, true},
      {20, 5, true, true, 20, false, false},   // behind the shield nothing happens, not even the warning
      {20, 5, false, false, 20, false, false}, // nor between waves
      {5, 5, true, true, 5, false, false},
  };
  for (const auto& scene : scenes) {
  for (const auto& c : cases) {
    test::PlayingGame sim;
    GameState& s = sim.game.state;
    s.Energy = c.energy;
    s.ShieldActive = c.shield;
    s.GameActive = c.active;
    DamagePlayer(sim.game, c.amount, scene.endScene);
    const Strings played = sim.Played();
    const std::string where = std::string(scene.name) + " " + std::to_string(c.energy) + "-" + std::to_string(c.amount);
    EXPECT_EQ(s.Energy, c.energyAfter) << where;
    EXPECT_EQ(Count(played, "sounds/d_destr.wav"), c.warned ? 1u : 0u) << where;
    EXPECT_EQ(s.QuitToMenu, c.over) << where;
    EXPECT_EQ(Count(played, "sounds/d_gamovr.wav"), c.over ? 1u : 0u) << where;
    if (c.over) {
      EXPECT_FALSE(s.GameActive) << where;
    }
  }
  }
}

// Game over: the shield, the thrust, the saucer and the background fall silent
// first, then the verdict and the score are spoken and the player is waited for.
TEST(DamagePlayer, GameOverSilencesThePlayThenSpeaksTheScoreAndWaits) {
  test::PlayingGame sim;
  Game& game = sim.game;
  game.state.GameActive = true;
  game.state.Energy = 10;
  game.state.Score = 4000;
  game.sounds.shield.Play(false);
  game.sounds.nightLife.Play(true);
  game.sounds.nightLife.SetVolume(-300);
  LoadSound(game, game.music.backgroundLoop, "sounds/music/music1.wav");
  game.music.backgroundLoop.Play(true);
  sim.ClearLog();

  DamagePlayer(game, 10);

  EXPECT_EQ(sim.Log({"stop", "vol", "play"}),
            (Strings{"stop sounds/shield.wav", "vol sounds/thrburst.wav", "vol sounds/pwthrust.wav",
                     "vol sounds/thrstop.wav", "vol sounds/nitelife.wav", "stop sounds/music/music1.wav",
                     "play sounds/d_gamovr.wav", "play sounds/d_cursco.wav", "play sounds/numbers/4.wav",
                     "play sounds/numbers/thousand.wav", "play sounds/smackem.wav"}));
  EXPECT_TRUE(game.state.QuitToMenu);
  EXPECT_FALSE(game.state.GameActive);
  EXPECT_EQ(game.state.Energy, 10);
  EXPECT_EQ(game.sounds.nightLife.Volume(), -10000);
}

// What of the aliens and the saucer the first wave of a game could find left
// over: the colours' start gates, release schedules and spawn clocks, the
// records, and the saucer's standing.
std::vector<int64_t> AlienStandingOf(const Game& game) {
  std::vector<int64_t> v;
  for (const AlienGroup& g : game.aliens.groups) {
    v.insert(v.end(), {g.Started, g.StartDelay, g.StartTick.start, g.SpawnTick.start, g.Spawned, g.Count,
                       g.FirstSpawnDone, static_cast<int64_t>(g.Aliens.size())});
  }
  for (const SpawnTimer& t : game.aliens.timers) v.insert(v.end(), {t.Delay, t.DelayChosen});
  const SaucerState& s = game.saucer;
  v.insert(v.end(), {game.aliens.HurrySpawn, s.SaucerEnabled, s.SaucerPresent, s.SaucerCheckTick.start, s.PayloadDown,
                     s.PreviousPayloadKind});
  return v;
}

// What a new game starts from: the standing, the ship, the weapons, the aliens
// and the saucer.
struct GameStart {
  GameState state;
  ShipState ship;
  WeaponsState weapons;
  std::vector<int64_t> aliens;
  bool newBest = false;
  bool operator==(const GameStart&) const = default;
};

GameStart StartOf(const Game& game) {
  return {game.state, game.ship, game.weapons, AlienStandingOf(game), game.player.newBest};
}

// A wave in play on Insane with three vapor charges in stock: the ship
// thrusts to the left with the laser held, a shot has just been fired, the
// best has been passed, and then the game ends.
void PlayUntilTheEnd(Game& game, void (*end)(Game&)) {
  const ActionTable keys = DefaultActionTable();
  std::copy(keys.begin(), keys.end(), game.input.actions.begin());
  ResetGameState(game);
  game.state.Difficulty = 3;
  game.state.InsaneMode = true;
  game.state.Vapors = 3;
  game.state.Level = 1;
  game.state.Wave = 1;
  AlienGroup& green = game.aliens[Colour::Green];
  green.Count = 1;
  green.Aliens.resize(2);  // one alien still to come: no shot clears the wave
  AddScore(game, 1000);
  end(game);
}

// Every way a game ends, followed by a new game, starts that game from what
// a new program starts from, with only the difficulty, Insane and the vapor
// charges handed on.
TEST(ResetGameState, EveryWayAGameEndsLeavesTheNextGameNothingButWhatCarriesOver) {
  const struct {
    const char* name;
    const char* script;
    void (*end)(Game&);
  } cases[] = {
      {"game over", "10 down LEFT\n10 down LCONTROL",
       [](Game& game) {
         game.state.ShipX = 150;  // one step from the wall, whose crash costs the last of the energy
         game.state.Energy = 5;
         GameLoop(game);
       }},
      {"Escape", "10 down LEFT\n10 down LCONTROL\n1000 down ESCAPE", GameLoop},
      {"Q saves", "10 down LEFT\n10 down LCONTROL\n1000 tap Q", GameLoop},
      {"the boss round left", "10 down LEFT\n10 down LCONTROL\n3000 down ESCAPE", BossRound},
  };
  for (const auto& c : cases) {
    SimOptions options;
    options.script = test::Script(c.script);
    test::PlayingGame sim(options);
    Game& game = sim.game;
    game.player.personalBest = 500;
    PlayUntilTheEnd(game, c.end);
    ASSERT_TRUE(game.state.QuitToMenu) << c.name;
    ASSERT_TRUE(game.player.newBest) << c.name;
    const int32_t best = game.player.personalBest;

    ResetGameState(game);

    test::PlayingGame newProgram;
    newProgram.game.state.Difficulty = 3;
    newProgram.game.state.InsaneMode = true;
    newProgram.game.state.Vapors = 3;
    EXPECT_TRUE(StartOf(game) == StartOf(newProgram.game)) << c.name;
    EXPECT_EQ(game.player.personalBest, best) << c.name << ": the best stays";
  }
}

TEST(PlayRandomShipHit, CutsOffTheHitPlayedLastAndPlaysOneOfTheThree) {
  test::PlayingGame sim;
  GameSounds& sounds = sim.game.sounds;
  for (int i = 0; i < 4; ++i) {
    const uint8_t previous = sounds.lastShipHit;
    sounds.shipHit[previous].Play(false);
    sim.host.AdvanceMs(100);
    PlayRandomShipHit(sim.game);
    const uint8_t now = sounds.lastShipHit;
    ASSERT_LT(now, 3);
    EXPECT_TRUE(sounds.shipHit[now].IsPlaying());
    if (now != previous) {
      EXPECT_FALSE(sounds.shipHit[previous].IsPlaying());
    } else {
      EXPECT_LT(sounds.shipHit[now].Position(), 48u * 10) << "rewound before it plays again";
    }
    for (int k = 0; k < 3; ++k) {
      if (k != now) {
        EXPECT_FALSE(sounds.shipHit[k].IsPlaying());
      }
    }
  }
}

}  // namespace
}  // namespace sb
