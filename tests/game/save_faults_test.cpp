// A save the player folder refuses (a full disk, a folder that cannot be
// written): the old files stay whole, the player hears the invalid sound,
// stderr says why, and the game goes on with what it holds in memory.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "game/settings.h"
#include "platform/player_file.h"
#include "support/sim_game.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

// No file may grow past `bytes` while it lives: the disk is full from there.
class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) : oldSignal_(signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAfter() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldSignal_);
  }

 private:
  rlimit old_{};
  sighandler_t oldSignal_;
};

std::vector<uint8_t> Bytes(const fs::path& file) { return ReadWholeFile(file).value_or(std::vector<uint8_t>{}); }

// The player folder with the files of a game whose best is 5000.
void SaveOldFiles(const fs::path& home) {
  SimOptions options;
  options.home = home;
  test::SimGame old(options);
  old.game.player.personalBest = 5000;
  SaveSettings(old.game);
}

TEST(SaveFaults, ARefusedSaveKeepsTheOldFilesAndIsHeardAndTold) {
  struct Case {
    const char* name;
    std::function<std::function<void()>(const fs::path& home)> fault;  // applies it, gives its undoing
    int error;
  };
  const std::vector<Case> cases = {
      {"the disk full from the first byte", [](const fs::path&) {
         auto full = std::make_shared<DiskFullAfter>(0);
         return [full]() mutable { full.reset(); };
       }, EFBIG},
      {"the disk full half way through the player file", [](const fs::path&) {
         auto full = std::make_shared<DiskFullAfter>(40);
         return [full]() mutable { full.reset(); };
       }, EFBIG},
      {"a read-only player folder", [](const fs::path& home) {
         fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
         return [home] { fs::permissions(home, fs::perms::owner_all); };
       }, EACCES},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const fs::path home = dir.path() / "player";
    SaveOldFiles(home);
    const auto oldInfo = Bytes(home / kPlayerFileName);
    const auto oldKeys = Bytes(home / kKeyMapFileName);
    ASSERT_FALSE(oldInfo.empty());

    SimOptions options;
    options.home = home;
    test::SimGame sim(options);
    sim.game.player.personalBest = 9000;
    auto undo = c.fault(home);
    if (c.error == EACCES && ::access(home.c_str(), W_OK) == 0) {
      undo();  // the superuser writes through any folder's permissions: nothing to show
      continue;
    }
    SaveSettings(sim.game);
    undo();
    const std::string told = sim.Reports();

    EXPECT_EQ(Bytes(home / kPlayerFileName), oldInfo) << c.name;
    EXPECT_EQ(Bytes(home / kKeyMapFileName), oldKeys) << c.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(home), fs::directory_iterator()), 2) << c.name << ": no leftovers";
    EXPECT_EQ(sim.Log({"write", "play"}), (std::vector<std::string>{"write sbinfo.sbr", "play sounds/invalid.wav"}))
        << c.name;
    EXPECT_EQ(told, std::string("cannot save sbinfo.sbr in the player folder: ") + std::strerror(c.error) +
                        "\n")
        << c.name;
    EXPECT_EQ(sim.game.player.personalBest, 9000) << c.name << ": the best in memory stays";
  }
}

// The very first run, with no folder the files can go in: the refusal is
// heard even before the start-up sounds are in, and the program plays on.
TEST(SaveFaults, AFirstRunThatCannotSaveStillStarts) {
  test::TempDir dir;
  dir.Write("player", {1});  // a file where the player folder should be
  SimOptions options;
  options.home = dir.path() / "player";
  options.untilMs = 30000;
  options.script = test::Tap(1500, dik::ESCAPE);  // leaves the main menu
  const SimResult result = RunSimulation(options);
  const std::string told = test::Reports(result.lines);
  const auto events = test::Events(result.lines, {"write", "play", "exit"});
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 3),
            (std::vector<std::string>{"write sbinfo.sbr", "play sounds/invalid.wav", "play sounds/sb.wav"}));
  EXPECT_EQ(events.back(), "exit code=0");
  EXPECT_NE(told.find("cannot save sbinfo.sbr in the player folder: Not a directory"), std::string::npos) << told;
}

}  // namespace
}  // namespace sb
