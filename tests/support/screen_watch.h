#pragma once
// A simulated host that looks at the window's picture as a sighted helper
// would: as each prompt starts, and on every pass of the program's loops.

#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "hosts/sim_host.h"

namespace sb::test {

// "Title:current item", the title alone while no item is current, "radar"
// or "nothing".
inline std::string Shown(const ScreenPicture& p) {
  if (p.menu) return p.menu->title + (p.menu->current >= 0 ? ":" + p.menu->items.at(p.menu->current) : "");
  return p.radar ? "radar" : "nothing";
}

struct ScreenWatchingHost : SimHost {
  explicit ScreenWatchingHost(SimOptions options) : SimHost(std::move(options)) {}
  void SpeechStarted(std::string_view file) override {
    if (game) seen.push_back(std::string(file) + " | " + Shown(TakeScreen(*game)));
  }
  // Taken before the pass, which may end the run: what was shown last.
  void Yield() override {
    if (game) lastShown = Shown(TakeScreen(*game));
    SimHost::Yield();
  }
  Game* game = nullptr;
  std::vector<std::string> seen;  // "file | shown" as each prompt started
  std::string lastShown;
};

}  // namespace sb::test
