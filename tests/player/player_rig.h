#pragma once
// A wave in progress for the ship's and the weapons' routines: the start-up
// sounds loaded, the default keys, the ship at the centre and aliens put
// straight onto the field. Its passes run the player's steps of the game
// loop and nothing of the aliens' own, so an alien stays where a test put it.

#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "player/controls.h"
#include "player/ship.h"
#include "player/weapons.h"
#include "sound/game_sounds.h"
#include "sound/sound_engine.h"
#include "support/alien_voices.h"
#include "support/sim_game.h"

namespace sb::test {

inline SimOptions WithScript(SimOptions options, const std::string& script) {
  options.script = Script(script);
  return options;
}

// Where a test puts an alien.
struct AlienSpot {
  Colour colour;
  int16_t x;
  int16_t y;
  bool landed = false;
  bool active = true;
};

struct PlayerRig : SimGame {
  explicit PlayerRig(const std::string& script = "", SimOptions options = {})
      : SimGame(WithScript(std::move(options), script)) {
    LoadGameSounds(game);
    UseDefaultActions(game);
    game.state.GameActive = true;
    game.player.personalBest = std::numeric_limits<int32_t>::max();  // no test's points announce a new best
    ClearLog();
  }

  // Replaces the aliens of the field: released, each with its voice looping
  // (and the sounds a landed or red or yellow alien has), and one more of
  // each colour yet to come.
  void PlaceAliens(const std::vector<AlienSpot>& spots) {
    for (AlienGroup& group : game.aliens.groups) {
      group.Aliens.clear();
      group.Count = group.Spawned = 0;
    }
    for (const AlienSpot& spot : spots) {
      AlienGroup& group = game.aliens[spot.colour];
      const uint8_t index = group.Spawned;
      group.Spawned = static_cast<uint8_t>(index + 1);
      // One more still to come: the wave goes on whatever a test shoots down.
      group.Count = static_cast<uint8_t>(index + 2);
      group.Aliens.resize(group.Count + 1u);  // records 0..Count, the last never released
      AlienRecord& alien = group.Aliens[index];
      alien.X = spot.x;
      alien.Y = spot.y;
      alien.Active = spot.active;
      alien.Landed = spot.landed;
      LoadSound(game, alien.Voice, VoiceOf(spot.colour));
      if (spot.colour == Colour::Red || spot.colour == Colour::Yellow) LoadSound(game, alien.ActionSound, "sounds/shield.wav");
      LoadSound(game, alien.StepSounds[0], "sounds/alstep1.wav");
      LoadSound(game, alien.StepSounds[1], "sounds/alstep2.wav");
      if (spot.active) alien.Voice.Play(true);
    }
    ClearLog();
  }
  AlienRecord& Alien(Colour colour, size_t index) { return game.aliens[colour].Aliens[index]; }

  // The player's passes of the game loop until the clock reads `ms`: the
  // controls, the ship and the missiles.
  void RunUntil(int32_t ms, const std::function<void()>& each = [] {}) {
    while (host.Ticks() < ms) {
      host.Yield();
      HandlePlayerControls(game);
      MoveShip(game);
      UpdateMissiles(game);
      each();
    }
  }

  // The times at which the ship took a step until `ms`.
  std::vector<int32_t> StepTimes(int32_t ms) {
    std::vector<int32_t> times;
    int16_t x = game.state.ShipX;
    RunUntil(ms, [&] {
      if (game.state.ShipX != x) times.push_back(host.Ticks());
      x = game.state.ShipX;
    });
    return times;
  }

  // How many times a recording was started.
  int Plays(const std::string& file) const {
    return static_cast<int>(Count(Played(), file));
  }

  // "<op> <subject> <fields>" of the log lines with these ops, without the times.
  std::vector<std::string> Lines(const std::vector<std::string>& ops) const {
    std::vector<std::string> out;
    for (const auto& line : host.GetLog().Lines()) {
      const LogLine l = ParseLogLine(line);
      if (std::find(ops.begin(), ops.end(), l.op) != ops.end()) out.push_back(l.op + " " + l.rest);
    }
    return out;
  }
};

}  // namespace sb::test
