#pragma once
// A game as start-up leaves it (player files and start-up sounds loaded), on
// a simulated host whose player presses Space whenever the game waits for it
// between waves, so that a test can run a game through its tallies.

#include "game/game.h"
#include "game/settings.h"
#include "hosts/sim_host.h"
#include "sound/game_sounds.h"
#include "sound/sound_engine.h"
#include "support/alien_voices.h"
#include "support/sim_game.h"

namespace sb::test {

// Presses Space once a status wait has spoken its prompt, and only then.
class ContinuingHost : public SimHost {
 public:
  using SimHost::SimHost;
  void Watch(const Game& game) { game_ = &game; }

  KeyboardRead ReadKeyboard(KeyboardState& state) override {
    const KeyboardRead read = SimHost::ReadKeyboard(state);
    if (game_ && Waiting()) state[dik::SPACE] = 0x80;
    return read;
  }

 private:
  bool Waiting() const {
    const SoundBuffer& speech = game_->speech.channel;
    return speech.Name() == "sounds/smackem.wav" && !speech.IsPlaying();
  }
  const Game* game_ = nullptr;
};

// A game as start-up leaves it on a host of type Host: a ContinuingHost, or
// one derived from it that plays as a test needs.
template <typename Host>
struct PlayingGameOn : SimGameOn<Host> {
  explicit PlayingGameOn(SimOptions options = {}) : SimGameOn<Host>(Bounded(std::move(options))) {
    Game& game = this->game;
    this->host.Watch(game);
    LoadPlayerFiles(game);
    LoadGameSounds(game);
    game.startup.soundsLoaded = true;
    this->ClearLog();
  }
};

using PlayingGame = PlayingGameOn<ContinuingHost>;

// Level 1 wave 2 cleared in play: two kills before an alien landed, these
// sure shots and multi-kills, and a best score no test reaches.
inline void ClearedWave(Game& game, int16_t sureShots, int16_t multiKills) {
  GameState& s = game.state;
  game.player.personalBest = 1'000'000'000;
  s.Level = 1;
  s.Wave = 2;
  s.wave.NoLandingKills = 2;
  s.wave.AlienLandedThisWave = true;
  s.wave.SureShots = sureShots;
  s.wave.MultiKills = multiKills;
  s.GameActive = true;
}

// A wave one laser shot from its end: the default keys, a best score no test
// reaches, and the wave's last alien (of this colour) straight above the
// ship with its voice looping.
inline AlienRecord& OneShotFromWaveEnd(Game& game, Colour colour) {
  UseDefaultActions(game);
  game.player.personalBest = 1'000'000'000;
  AlienGroup& group = game.aliens[colour];
  group.Count = 1;
  group.Spawned = 1;
  group.StepDelay = 1000;
  group.Aliens.resize(2);
  AlienRecord& alien = group.Aliens[0];
  alien.X = game.state.ShipX;
  alien.Y = 2000;
  alien.Active = true;
  LoadSound(game, alien.Voice, VoiceOf(colour));
  alien.Voice.Play(true);
  return alien;
}

}  // namespace sb::test
