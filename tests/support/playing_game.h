#pragma once
// A game as start-up leaves it (player files and start-up sounds loaded), on
// a simulated host whose player presses Space whenever the game waits for it
// between waves, so that a test can run a game through its tallies.

#include <string>
#include <vector>

#include "game/game.h"
#include "game/settings.h"
#include "hosts/sim_host.h"
#include "sound/game_sounds.h"
#include "support/log_lines.h"

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

inline SimOptions Bounded(SimOptions options) {
  if (!options.untilMs) options.untilMs = 20 * 60 * 1000;  // a hung wait ends the test instead of the run
  return options;
}

struct PlayingGame {
  explicit PlayingGame(SimOptions options = {}) : host(Bounded(std::move(options))), game(host) {
    host.Watch(game);
    game.sound.Start();
    LoadPlayerFiles(game);
    LoadGameSounds(game);
    game.startup.soundsLoaded = true;
    host.GetLog().Clear();
  }

  std::vector<std::string> Log(const std::vector<std::string>& ops = {}) const {
    return Events(host.GetLog().Lines(), ops);
  }
  // Just the recordings started, in order.
  std::vector<std::string> Played() const {
    std::vector<std::string> out;
    for (const auto& e : Log({"play"})) out.push_back(e.substr(5));
    return out;
  }
  void ClearLog() { host.GetLog().Clear(); }

  mutable ContinuingHost host;
  Game game;
};

}  // namespace sb::test
