#pragma once
// A Game on a simulated host, sound started, for tests of routines that span
// time: speech, waits, menus.

#include <string>
#include <vector>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "hosts/virtual_sound_library.h"
#include "support/actions.h"
#include "support/log_lines.h"
#include "support/script.h"

namespace sb::test {

struct SimGame {
  explicit SimGame(SimOptions options = {}) : host(std::move(options)), game(host) { game.sound.Start(); }

  // The subjects of the log's lines with these ops ("play x.wav" ...), in order.
  std::vector<std::string> Log(const std::vector<std::string>& ops) const {
    return Events(host.GetLog().Lines(), ops);
  }
  // Just the recordings started, in order.
  std::vector<std::string> Played() const {
    std::vector<std::string> out;
    for (const auto& e : Log({"play"})) out.push_back(e.substr(5));
    return out;
  }
  // What the program reported to the host so far, a line each.
  std::string Reports() const { return test::Reports(host.GetLog().Lines()); }
  void ClearLog() { host.GetLog().Clear(); }
  // Runs a routine until it returns; false when the clock ran out first.
  template <typename F>
  bool Run(F routine) {
    try {
      routine(game);
      return true;
    } catch (const SimulationEnd&) {
      return false;
    }
  }

  mutable SimHost host;
  Game game;
};

inline ScriptEvent Down(int32_t ms, uint8_t key) { return {ms, ScriptEvent::Kind::KeyDown, key}; }
inline ScriptEvent Up(int32_t ms, uint8_t key) { return {ms, ScriptEvent::Kind::KeyUp, key}; }


}  // namespace sb::test
