#include "game/game_loop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/waves.h"
#include "sound/sound_engine.h"
#include "support/playing_game.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using Strings = std::vector<std::string>;
using test::Down;
using test::Up;

// A wave under way: one green alien still to come, so that no shot clears it.
void WaveUnderWay(Game& game) {
  game.state.Level = 1;
  game.state.Wave = 1;
  AlienGroup& green = game.aliens[Colour::Green];
  green.Count = 1;
  green.Aliens.resize(2);
}

SimOptions EscapeAt(int32_t ms, std::vector<ScriptEvent> script = {}) {
  SimOptions options;
  script.push_back(Down(ms, dik::ESCAPE));
  options.script = std::move(script);
  return options;
}

// Everything a wave can leave sounding, sounding.
void SoundEverything(Game& game) {
  GameSounds& s = game.sounds;
  for (SoundBuffer* b : {&s.laser, &s.laserLeft, &s.laserRight, &s.shield, &s.vapor, &s.locate, &s.missileLaunch,
                         &s.nuke, &s.nukeUp, &s.nightLife, &s.thrustBurst, &s.powerThrust, &s.thrustStop}) {
    b->Play(false);
  }
  s.thrustContinuous.Play(true);
  for (auto* group : {&s.sideHit}) {
    for (SoundBuffer& b : *group) b.Play(false);
  }
  for (SoundBuffer& b : s.missileExplosion) b.Play(false);
  for (SoundBuffer& b : s.shipHit) b.Play(false);
  for (SoundBuffer& b : s.explosion) b.Play(false);
  LoadSound(game, game.saucer.PayloadSound, "sounds/saucer.wav");
  game.saucer.PayloadSound.Play(true);
  LoadSound(game, game.saucer.DiveSound, "sounds/dive.wav");
  game.saucer.DiveSound.Play(false);
  LoadSound(game, game.music.backgroundLoop, "sounds/music/music1.wav");
  game.music.backgroundLoop.Play(true);
  AlienGroup& yellow = game.aliens[Colour::Yellow];
  yellow.Count = 1;
  yellow.Aliens.resize(2);
  for (const char* file : {"sounds/ayellow.wav", "sounds/ylwlaser.wav"}) {
    SoundBuffer& b = file[7] == 'a' ? yellow.Aliens[0].Voice : yellow.Aliens[0].ActionSound;
    LoadSound(game, b, file);
    b.Play(true);
  }
}

TEST(GameLoop, EscapeEndsTheGameAtOnceAndSilencesEveryGameSound) {
  SimOptions options = EscapeAt(300);
  options.lengths["sounds/thrburst.wav"] = 60000;  // every sound would still play without the stop
  test::PlayingGame sim(options);
  Game& game = sim.game;
  SoundEverything(game);
  ASSERT_GT(game.sound.GetMixer().ActiveVoices(), 30u);
  GameLoop(game);
  EXPECT_TRUE(game.state.QuitToMenu);
  EXPECT_FALSE(game.state.GameActive);
  EXPECT_LE(sim.host.Ticks(), 301) << "the pass after the press";
  EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), 0u);
  EXPECT_TRUE(game.music.backgroundLoop.Empty()) << "the background loop is released";
  EXPECT_EQ(game.sounds.thrustContinuous.Volume(), -10000);
}

TEST(GameLoop, EscapeDuringAGameReturnsFromTheStarterWithNothingSounding) {
  test::PlayingGame sim(EscapeAt(5000));
  sim.game.state.Difficulty = 2;
  StartGame(sim.game, 1, 1);
  EXPECT_TRUE(sim.game.state.QuitToMenu);
  EXPECT_EQ(sim.host.Ticks(), 5000);
  EXPECT_EQ(sim.game.sound.GetMixer().ActiveVoices(), 0u);
  const Strings played = sim.Played();
  EXPECT_EQ(Strings(played.begin(), played.begin() + 6),
            (Strings{"sounds/d_level.wav", "sounds/d_1.wav", "sounds/d_wave.wav", "sounds/d_1.wav",
                     "sounds/music/music1.wav", "sounds/nitelife.wav"}));
}

// The last level's aliens carry laser and bomb sounds that a wave's end only
// stops, and so does the saucer; leaving the game must release them.
TEST(GameLoop, AGameLeftKeepsNoSoundOfItsAliensLoaded) {
  test::PlayingGame sim(EscapeAt(40000));
  sim.game.state.Difficulty = 3;
  // Afterwards the speech channel holds the last prompt spoken.
  const size_t atStart = sim.game.sound.GetMixer().LiveVoices() + (sim.game.speech.channel.Empty() ? 1 : 0);
  StartGame(sim.game, 8, 5);
  ASSERT_TRUE(sim.game.state.QuitToMenu);
  size_t records = 0;
  for (const AlienGroup& g : sim.game.aliens.groups) records += g.Aliens.size();
  EXPECT_EQ(records, 0u);
  EXPECT_EQ(sim.game.sound.GetMixer().LiveVoices(), atStart);
}

TEST(GameLoop, AChainOfKillsIsPaidWhenTheWindowCloses) {
  const struct {
    uint8_t difficulty;
    bool insane;
    int16_t kills;
    int32_t escapeAt;
    int32_t score;
    int16_t multiKills;
    bool stillOpen;
  } cases[] = {
      {1, false, 2, 2500, 10000, 1, false},
      {2, false, 2, 2500, 20000, 1, false},
      {3, true, 3, 2500, 30000, 1, false},
      {1, false, 1, 2500, 0, 0, false},     // a single kill is no chain
      {1, false, 2, 1990, 0, 0, true},      // not yet two seconds
  };
  for (const auto& c : cases) {
    test::PlayingGame sim(EscapeAt(c.escapeAt));
    GameState& s = sim.game.state;
    sim.game.player.personalBest = 1'000'000'000;
    s.Difficulty = c.difficulty;
    s.InsaneMode = c.insane;
    s.wave.MultiKillOpen = true;  // the window opened by kills just before
    s.wave.MultiKillCount = c.kills;
    GameLoop(sim.game);
    EXPECT_EQ(s.Score, c.score) << c.kills << "@" << c.escapeAt;
    EXPECT_EQ(s.wave.MultiKills, c.multiKills) << c.kills << "@" << c.escapeAt;
    EXPECT_EQ(s.wave.MultiKillOpen, c.stillOpen);
    EXPECT_EQ(s.wave.MultiKillCount, c.stillOpen ? c.kills : 0);
  }
}

TEST(GameLoop, ALandedPayloadIsLostSoonerTheHarderTheGame) {
  const struct {
    uint8_t difficulty;
    bool insane;
    int lostAt;
  } cases[] = {{1, false, 2001}, {2, false, 1501}, {3, false, 1001}, {3, true, 1001}};
  for (const auto& c : cases) {
    test::PlayingGame sim(EscapeAt(3000));
    Game& game = sim.game;
    game.state.Difficulty = c.difficulty;
    game.state.InsaneMode = c.insane;
    game.state.ShipX = 4000;
    game.saucer.PayloadDown = true;
    game.saucer.PayloadDiving = true;
    game.saucer.PayloadLandTick = 0;
    game.saucer.PayloadX = 7000;
    LoadSound(game, game.saucer.PayloadSound, "sounds/payload.wav");
    game.saucer.PayloadSound.Play(true);
    GameLoop(game);
    EXPECT_EQ(sim.FirstTime("stop", "sounds/payload.wav"), c.lostAt) << int(c.difficulty);
    EXPECT_EQ(sim.FirstTime("play", "sounds/paygone.wav"), c.lostAt) << int(c.difficulty);
    const Strings pans = sim.Log({"pan"});
    EXPECT_NE(std::find(pans.begin(), pans.end(), "pan sounds/paygone.wav"), pans.end());
    EXPECT_EQ(game.saucer.PayloadSound.Pan(), 3000);
    EXPECT_FALSE(game.saucer.PayloadDown);
    EXPECT_FALSE(game.saucer.PayloadDiving);
  }
}

TEST(GameLoop, APendingVaporWaitsForTheVaporChannelThenSpendsACharge) {
  SimOptions options = EscapeAt(1000);
  options.lengths["sounds/vaporize.wav"] = 400;
  test::PlayingGame sim(options);
  Game& game = sim.game;
  game.sounds.vapor.Play(false);  // the last discharge still sounds
  game.state.VaporPending = true;
  game.state.Vapors = 2;
  sim.ClearLog();
  GameLoop(game);
  EXPECT_FALSE(game.state.VaporPending);
  EXPECT_EQ(game.state.Vapors, 1);
  EXPECT_EQ(sim.FirstTime("play", "sounds/vaporize.wav"), 400);
}

// One tap spends one charge: a press while a charge waits or sounds asks for
// no other, and only a key still held when the vapor sound ends releases the
// next charge.
TEST(GameLoop, OneVaporChargeAPressAndOneAfterAnotherWhileHeld) {
  const struct {
    const char* name;
    const char* script;
    uint8_t stock;
    std::vector<int32_t> released;
  } cases[] = {
      {"a tap with two in stock", "1000 tap TAB", 2, {1000}},
      {"a second tap while the first sounds", "1000 tap TAB\n1200 tap TAB", 2, {1000}},
      {"a tap after the sound has ended", "1000 tap TAB\n1500 tap TAB", 2, {1000, 1500}},
      {"held through the sound's end", "1000 down TAB\n1500 up TAB", 3, {1000, 1400}},
      {"held until the stock is spent", "1000 down TAB\n2500 up TAB", 2, {1000, 1400}},
  };
  for (const auto& c : cases) {
    SimOptions options = EscapeAt(3000, test::Script(c.script));
    options.lengths["sounds/vaporize.wav"] = 400;
    test::PlayingGame sim(options);
    Game& game = sim.game;
    game.state.Vapors = c.stock;
    GameLoop(game);
    EXPECT_EQ(sim.Times("play", "sounds/vaporize.wav"), c.released) << c.name;
    EXPECT_EQ(int{game.state.Vapors}, c.stock - static_cast<int>(c.released.size())) << c.name;
    EXPECT_FALSE(game.state.VaporPending) << c.name;
  }
}

TEST(GameLoop, TheShieldEndsWithItsSound) {
  SimOptions options = EscapeAt(1000);
  options.lengths["sounds/shield.wav"] = 600;
  test::PlayingGame sim(options);
  sim.game.state.ShieldActive = true;
  sim.game.sounds.shield.Play(false);
  GameLoop(sim.game);
  EXPECT_FALSE(sim.game.state.ShieldActive);

  test::PlayingGame early(EscapeAt(300));
  early.game.state.ShieldActive = true;
  early.game.sounds.shield.Play(false);  // 500 ms of shield
  GameLoop(early.game);
  EXPECT_GE(early.FirstTime("stop", "sounds/shield.wav"), 300) << "the shield sounds until the game is left";
}

TEST(GameLoop, TheSideLaserHeldWithADirectionHoldsTheShipUntilLetGo) {
  const struct {
    const char* name;
    std::vector<ScriptEvent> script;
    bool hold;
  } cases[] = {
      {"side laser alone", {Down(10, dik::LMENU)}, false},
      {"with a direction", {Down(10, dik::LMENU), Down(20, dik::LEFT)}, true},
      {"the direction let go", {Down(10, dik::LMENU), Down(20, dik::RIGHT), Up(40, dik::RIGHT)}, true},
      {"the side laser let go", {Down(10, dik::LMENU), Down(20, dik::LEFT), Up(40, dik::LMENU)}, false},
      {"a direction alone", {Down(20, dik::LEFT)}, false},
  };
  for (const auto& c : cases) {
    test::PlayingGame sim(EscapeAt(100, c.script));
    WaveUnderWay(sim.game);
    GameLoop(sim.game);
    EXPECT_EQ(sim.game.state.SideLaserHold, c.hold) << c.name;
  }
}

TEST(GameLoop, AnEmptyFieldIsNoticed) {
  test::PlayingGame sim(EscapeAt(50));
  GameState& s = sim.game.state;
  s.FieldEmpty = false;
  GameLoop(sim.game);
  EXPECT_TRUE(s.FieldEmpty) << "no alien flies";
}

}  // namespace
}  // namespace sb
