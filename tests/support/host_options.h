#pragma once
// A real host whose every folder is inside one scratch folder: the program
// folder, the player's, the settings file and the single-instance lock.

#include <filesystem>

#include "hosts/sdl_host.h"

namespace sb::test {

inline SdlHostOptions HostOptionsIn(const std::filesystem::path& dir) {
  SdlHostOptions options;
  options.programDir = dir / "program";
  options.playerDir = dir / "player";
  options.settingsFile = dir / "settings.ini";
  options.instanceDir = dir;
  return options;
}

}  // namespace sb::test
