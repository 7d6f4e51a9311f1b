#pragma once
// A Game on a simulated host, sound started, for tests of routines that span
// time: speech, waits, menus.

#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "hosts/virtual_sound_library.h"
#include "support/actions.h"
#include "support/log_lines.h"
#include "support/script.h"

namespace sb::test {

// A script, the time the simulation stops at (never when unset) and how many
// controllers are plugged in from the start.
inline SimOptions Scripted(const std::string& script, std::optional<int32_t> untilMs = std::nullopt,
                           int joysticks = 0) {
  SimOptions options;
  options.script = Script(script);
  options.untilMs = untilMs;
  options.joysticks = joysticks;
  return options;
}

// A run without a stop of its own ends after twenty virtual minutes, so that
// a wait or a round that never ends fails its test instead of holding up the run.
inline SimOptions Bounded(SimOptions options) {
  if (!options.untilMs) options.untilMs = 20 * 60 * 1000;
  return options;
}

// The Game on a host of type Host (a SimHost, or one that plays or watches
// as a test needs), and what tests read from the host's event log.
template <typename Host>
struct SimGameOn {
  explicit SimGameOn(SimOptions options = {}) : host(std::move(options)), game(host) { game.sound.Start(); }

  // The subjects of the log's lines with these ops ("play x.wav" ...), in
  // order; every line when no op is given.
  std::vector<std::string> Log(const std::vector<std::string>& ops = {}) const {
    return Events(host.GetLog().Lines(), ops);
  }
  // Just the recordings started, in order.
  std::vector<std::string> Played() const {
    std::vector<std::string> out;
    for (const auto& e : Log({"play"})) out.push_back(e.substr(5));
    return out;
  }
  // Subject and fields of every log line with this op, in order.
  std::vector<std::string> LogRest(const std::string& op) const {
    std::vector<std::string> out;
    for (const auto& line : host.GetLog().Lines()) {
      LogLine l = ParseLogLine(line);
      if (l.op == op) out.push_back(std::move(l.rest));
    }
    return out;
  }
  // When the log shows `op` for a recording ("play", "stop", "vol" ...), each time.
  std::vector<int32_t> Times(const std::string& op, const std::string& file) const {
    return TimesOf(host.GetLog().Lines(), op, file);
  }
  // The first of those times, or -1 when there is none.
  int32_t FirstTime(const std::string& op, const std::string& file) const {
    const std::vector<int32_t> times = Times(op, file);
    return times.empty() ? -1 : times.front();
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

  mutable Host host;
  Game game;
};

using SimGame = SimGameOn<SimHost>;

inline ScriptEvent Down(int32_t ms, uint8_t key) { return {ms, ScriptEvent::Kind::KeyDown, key}; }
inline ScriptEvent Up(int32_t ms, uint8_t key) { return {ms, ScriptEvent::Kind::KeyUp, key}; }
// A key pressed at `ms` and let go 50 ms later.
inline std::vector<ScriptEvent> Tap(int32_t ms, uint8_t key) { return {Down(ms, key), Up(ms + 50, key)}; }

}  // namespace sb::test
