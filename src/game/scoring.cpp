#include "game/scoring.h"

#include <limits>

#include "aliens/aliens.h"
#include "aliens/saucer.h"
#include "game/game.h"
#include "game/high_score.h"
#include "game/stop_game_sounds.h"
#include "platform/vb_math.h"
#include "player/ship.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

// Insane plays as Hard but pays only double.
int ScoreMultiplier(const GameState& s) { return s.InsaneMode ? 2 : s.Difficulty; }

// Points past the largest score the counter holds stay at the largest.
int32_t ClampScore(int64_t score) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(score > kMax ? kMax : (score < kMin ? kMin : score));
}

// The first time a game passes the best, the best follows it at once; it then
// stays put until the game is over and the menu records the final score.
void PassBestScore(Game& game) {
  PlayerRecord& p = game.player;
  p.personalBest = game.state.Score;
  p.newBest = true;
  p.bestDifficulty = DifficultyName(game);
  StoreHighScoreRecord(game);
  PlaySound(game, "sounds/hiscore.wav", 0, true);
}

// The scene's own sounds go first, then the game over is spoken.
void EndGame(Game& game, void (*endScene)(Game&)) {
  GameState& s = game.state;
  endScene(game);
  s.GameActive = false;
  s.QuitToMenu = true;
  PlaySound(game, "sounds/d_gamovr.wav", 0, true);
  PlaySound(game, "sounds/d_cursco.wav", 0, true);
  SpeakNumber(game, s.Score);
  BreakStatusWait(game);
}

}  // namespace

std::string DifficultyName(const Game& game) {
  if (game.state.InsaneMode) return "Insane";
  switch (game.state.Difficulty) {
    case 2:
      return "Medium";
    case 3:
      return "Hard";
    default:
      return "Easy";
  }
}

void AddScore(Game& game, int64_t points) {
  GameState& s = game.state;
  s.Score = ClampScore(s.Score + RoundHalfEven(static_cast<double>(points) * ScoreMultiplier(s)));
  if (s.Score > game.player.personalBest && !game.player.newBest) PassBestScore(game);
}

void EndWaveAtGameOver(Game& game) {
  ResetSaucerState(game);
  EndSceneSounds(game, NightLife::Mute);
  FreeAlienSounds(game);
  StopBackgroundLoop(game);
}

void DamagePlayer(Game& game, int16_t amount, void (*endScene)(Game&)) {
  GameState& s = game.state;
  if (!s.GameActive || s.ShieldActive) return;
  if (s.Energy > amount) {
    s.Energy = static_cast<int16_t>(s.Energy - amount);
    if (s.Energy < 30) PlaySound(game, "sounds/d_destr.wav", 0, false);
    return;
  }
  EndGame(game, endScene);  // the energy stays as it was
}

// Nothing of the last game is left in the standing, the ship, the weapons,
// the aliens or the saucer: a thrust, a laser latch, a shot's time or an
// open start gate would otherwise carry into the new game. What carries over is said here and only here: the
// difficulty and Insane the menu chose, and the vapor charges left at the end
// of the last game. The best score is the player record's and stays.
void ResetGameState(Game& game) {
  GameState fresh;
  fresh.Difficulty = game.state.Difficulty;
  fresh.InsaneMode = game.state.InsaneMode;
  fresh.Vapors = game.state.Vapors;
  game.state = fresh;
  game.ship = ShipState{};
  game.weapons = WeaponsState{};
  game.aliens = AliensState{};  // no start gate or spawn clock of the last game
  game.saucer = SaucerState{};
  game.player.newBest = false;
}

void RestartMultiKillWindow(Game& game) {
  game.state.wave.MultiKillStart = game.host.Ticks();
  game.state.wave.MultiKillOpen = true;
}

void PlayRandomShipHit(Game& game) {
  GameSounds& s = game.sounds;
  SoundBuffer& last = s.shipHit[s.lastShipHit];
  last.Stop();
  last.SetPosition(0);
  s.lastShipHit = static_cast<uint8_t>(RandomSpread(game, 0, 2));
  s.shipHit[s.lastShipHit].Play(false);
}

}  // namespace sb
