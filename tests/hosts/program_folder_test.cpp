// The program finds its sound tree and key map in a build folder (beside
// itself) and in an install (PREFIX/share/games/starbarrow beside PREFIX/games).

#include "hosts/program_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace sb {
namespace {

TEST(ProgramFolder, BesideTheProgramOrInTheInstalledDataFolder) {
  struct Case {
    const char* name;
    std::vector<std::string> files;  // under the scratch folder
    std::string exeDir;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"a build folder", {"build/bin/keymap.sbk", "build/bin/sounds/sb.wav"}, "build/bin", "build/bin"},
      {"a build without the key map made yet", {"build/bin/sounds/sb.wav"}, "build/bin", "build/bin"},
      {"an install",
       {"usr/games/starbarrow", "usr/share/games/starbarrow/keymap.sbk"},
       "usr/games",
       "usr/share/games/starbarrow"},
      // Files beside the program win over an install found from there.
      {"a build beside an install",
       {"p/games/keymap.sbk", "p/share/games/starbarrow/keymap.sbk"},
       "p/games",
       "p/games"},
      // Nowhere: the program folder is its own, and the errors name files there.
      {"neither", {"opt/bin/other"}, "opt/bin", "opt/bin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const test::TempDir dir;
    for (const auto& file : c.files) dir.Write(file, {1});
    EXPECT_EQ(FindProgramFolder(dir.path() / c.exeDir), dir.path() / c.expected);
  }
}

}  // namespace
}  // namespace sb
