#pragma once
// The whole program from start-up on a simulated host, driven by a script of
// key presses, until it exits or the clock reaches the given time. The Game
// stays for the test to read afterwards.

#include <optional>
#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "program/startup.h"
#include "support/sim_game.h"

namespace sb::test {

struct ProgramRun {
  explicit ProgramRun(SimOptions options) : sim(std::move(options)) {}

  ProgramRun& Run() {
    try {
      Initialize(sim.game);
    } catch (const SimulationEnd&) {
    } catch (const ProgramEnd& end) {
      exitCode = end.code;
    }
    return *this;
  }

  // The recordings started, without the menu's two loops, which play throughout.
  std::vector<std::string> Heard() const {
    std::vector<std::string> out;
    for (const std::string& p : sim.Played()) {
      if (p != "sounds/music/music5.wav" && p != "system/menu/crickets.wav") out.push_back(p);
    }
    return out;
  }
  // The lines with these ops, "op subject" without the times.
  std::vector<std::string> Log(const std::vector<std::string>& ops) const { return sim.Log(ops); }
  const std::vector<std::string>& Lines() const { return sim.host.GetLog().Lines(); }
  // The time of the first line starting "op subject", or -1.
  int TimeOf(const std::string& event) const {
    for (const std::string& line : Lines()) {
      const LogLine l = ParseLogLine(line);
      if ((l.op + " " + l.rest).rfind(event, 0) == 0) return l.ms;
    }
    return -1;
  }
  std::optional<std::vector<uint8_t>> PlayerFile(const std::string& name) const {
    return sim.host.Files(Folder::Player).Read(name);
  }

  SimGame sim;
  std::optional<int> exitCode;  // set when the program ended through its exit
};

}  // namespace sb::test
