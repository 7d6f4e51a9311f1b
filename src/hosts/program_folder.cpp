#include "hosts/program_folder.h"

namespace sb {

namespace {

// The installed data folder, from the folder of the program: Debian keeps a
// game in PREFIX/games and its read-only files in PREFIX/share/games.
constexpr const char* kInstalledDataDir = "../share/games/starbarrow";

bool HoldsProgramFiles(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "keymap.sbk", ec) ||
         std::filesystem::is_directory(dir / "sounds", ec);
}

}  // namespace

std::filesystem::path FindProgramFolder(const std::filesystem::path& exeDir) {
  if (HoldsProgramFiles(exeDir)) return exeDir;
  std::error_code ec;
  const auto installed = (exeDir / kInstalledDataDir).lexically_normal();
  return std::filesystem::is_directory(installed, ec) ? installed : exeDir;
}

std::filesystem::path ExecutableDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

}  // namespace sb
