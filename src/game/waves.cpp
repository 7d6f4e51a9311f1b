#include "game/waves.h"

#include <algorithm>

#include "aliens/aliens.h"
#include "aliens/saucer.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/high_score.h"
#include "game/scoring.h"
#include "game/stop_game_sounds.h"
#include "game/tally_ticks.h"
#include "platform/vb_math.h"
#include "player/ship.h"
#include "player/weapons.h"
#include "rounds/rounds.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The background tracks of levels 1 to 8.
constexpr std::array<uint8_t, 8> kMusicTrack = {1, 2, 3, 4, 5, 6, 4, 2};
constexpr std::array<uint8_t, 8> kAmbienceTrack = {1, 2, 1, 2, 1, 2, 1, 2};
constexpr int32_t kFastestBonusTick = 10;  // ms between the bonus counter's ticks at the most

// Every colour group set up from the wave's row, present or not, and the
// saucer enabled when the row has one.
void ApplyWaveRow(Game& game) {
  GameState& s = game.state;
  const size_t level = std::clamp<size_t>(s.Level, 1, 8) - 1;
  game.music.musicTrack = kMusicTrack[level];
  game.music.ambienceTrack = kAmbienceTrack[level];
  const WaveRow& row = LevelWaveRow(s.Level, s.Wave);
  for (size_t c = 0; c < row.colours.size(); ++c) SetUpColourGroup(game, static_cast<Colour>(c), row.colours[c]);
  game.saucer.SaucerEnabled = row.saucer;
  if (row.saucer) {
    game.saucer.SaucerStepDelay = row.SaucerStepDelay;
    game.saucer.SaucerChanceRange = row.SaucerChanceRange;
  }
}

void SayLetsGo(Game& game) {
  game.speech.gameStartPrompt = true;
  PlayPromptInterruptible(game, RandomSpread(game, 1, 10) > 2 ? "sounds/letsgo1.wav" : "sounds/letsgo2.wav");
  game.speech.gameStartPrompt = false;
}

// Every alien record of the colours present is destroyed. A field set up
// with no alien at all holds no wave to clear.
bool EveryAlienDestroyed(const Game& game) {
  bool anyColour = false;
  for (Colour c : kSweepOrder) {
    const AlienGroup& g = game.aliens[c];
    if (g.Count == 0) continue;
    if (g.Aliens.size() < g.Count) return false;  // a group never set up cannot have been cleared
    for (size_t i = 0; i < g.Count; ++i) {
      if (!g.Aliens[i].Destroyed) return false;
    }
    anyColour = true;
  }
  return anyColour;
}

// Kills made before the first landing pay 1000 each; a wave without any
// landing pays the level's perfect-wave bonus besides.
void PayNoLandingBonus(Game& game, SoundBuffer& tick) {
  GameState& s = game.state;
  PlaySound(game, "sounds/d_nlb.wav", 0, true);
  // The counter ticks once per one and a half kills.
  CountTicks(game, tick, RoundHalfEven(s.wave.NoLandingKills * 1.5), 0, kFastestBonusTick);
  AddScore(game, s.wave.NoLandingKills * 1000);
  if (s.wave.AlienLandedThisWave) return;
  AddScore(game, s.Level * 50000);
  PlaySound(game, "sounds/nlball.wav", 0, true);
  s.PerfectWaves = SaturatingAdd(s.PerfectWaves, 1);
}

// The next wave, or the next level with its special round after five perfect
// waves, or after the last level the boss (not for a game from the level select).
void AdvanceWave(Game& game) {
  GameState& s = game.state;
  if (s.Wave < 5) {
    ++s.Wave;
    BreakStatusWait(game);
    return;
  }
  s.Wave = 1;
  SpeakScore(game);
  BreakStatusWait(game);
  if (s.Level < 8) {
    PlaySound(game, "sounds/d_lvlup.wav", 0, true);
    ++s.Level;
    if (s.PerfectWaves == 5) {
      s.PerfectWaves = 0;
      s.GameActive = false;
      StartBonusRound(game);
    }
    BreakStatusWait(game);
    return;
  }
  if (s.LevelSelected) return;
  BossRound(game);
  BreakStatusWait(game);
}

// A wave's end only stops the aliens' action sounds and bombs, and the
// saucer's; the records that hold them go when a later wave sets their colour
// up. A game that is left has no later wave: they all go with it, and nothing
// it loaded stays alive under the menu.
void ReleaseWaveLeftovers(Game& game) {
  for (AlienGroup& g : game.aliens.groups) {
    g.Aliens.clear();
    g.Count = 0;
  }
  FreeSound(game.saucer.PayloadSound);
  FreeSound(game.saucer.DiveSound);
}

}  // namespace

void StartWave(Game& game) {
  GameState& s = game.state;
  s.wave = WaveState{};  // nothing of the last wave's counts is heard in this one's tally
  if (s.Wave == 1) s.PerfectWaves = 0;
  ApplyWaveRow(game);
  s.ShipX = kShipStartX;
  s.ShipY = kShipY;
  SpeakLevelAndWave(game);
  StartBackgroundLoop(game);
  game.sounds.nightLife.Play(true);
  game.sounds.nightLife.SetVolume(kVolumeMin);
  SayLetsGo(game);
}

void PlayGame(Game& game) {
  do {
    StartWave(game);
    GameLoop(game);
  } while (!game.state.QuitToMenu);
  ReleaseWaveLeftovers(game);
}

void StartGame(Game& game, uint8_t level, uint8_t wave, bool levelSelected) {
  ResetGameState(game);
  game.state.Level = level;
  game.state.Wave = wave;
  game.state.LevelSelected = levelSelected;
  PlayGame(game);
}

void CheckWaveCleared(Game& game) {
  if (game.state.GameActive && EveryAlienDestroyed(game)) game.state.wave.WaveCleared = true;
}

void CompleteWave(Game& game) {
  GameState& s = game.state;
  s.wave.WaveCleared = false;
  SoundBuffer tick;
  LoadSound(game, tick, "sounds/boncount.wav");
  EndSceneSounds(game, NightLife::Mute);
  ResetSaucerState(game);
  WaitSince(game, game.host.Ticks(), 2000);
  FreeAlienSounds(game);
  StopBackgroundLoop(game);
  DiscardMissiles(game);  // the next wave's aliens are new: nothing left to hit
  PlaySoundStereo(game, "sounds/d_wavcom.wav", 0, true);
  s.GameActive = false;
  if (s.wave.NoLandingKills > 0 || !s.wave.AlienLandedThisWave) PayNoLandingBonus(game, tick);
  if (game.player.newBest) StoreHighScoreRecord(game);
  PlaySound(game, "sounds/d_sskill.wav", 0, true);
  SpeakNumber(game, s.wave.SureShots);
  PlaySound(game, "sounds/d_multi.wav", 0, true);
  SpeakNumber(game, s.wave.MultiKills);
  AdvanceWave(game);
}

void StartBonusRound(Game& game) {
  PlaySound(game, "sounds/d_bonus.wav", 0, true);
  if (RandomSpread(game, 0, 9) < 5) {
    PlaySound(game, "sounds/d_sheep.wav", 0, true);
    SheepDropRound(game);
  } else {
    PlaySound(game, "sounds/d_meteor.wav", 0, true);
    MeteorShowerRound(game);
  }
}

}  // namespace sb
