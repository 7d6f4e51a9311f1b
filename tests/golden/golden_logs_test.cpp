// Golden event logs: each scripted run in tests/golden/ is replayed through
// starbarrow-sim and must give its checked-in log byte for byte. The same
// input gives the same output, so any change to what the program does in
// these runs (a sound, a volume, a moment, a file written) shows here.
//
// A run NAME is NAME.script (the input), NAME.args (the simulator's options,
// one a line, its value after the first space, with an --until past the
// run's end) and NAME.log (the expected log); NAME.saved, when present, is a saved game put in a player folder made
// for the run (see SavedGameHome). Nothing else of the machine reaches a run:
// the simulator's virtual sound tree, its player folder in memory (or the
// one made here), its own settings store and environment.
// scripts/golden-logs --update writes the logs anew (SB_GOLDEN_UPDATE=1).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/saved_game.h"
#include "game/settings.h"
#include "hosts/sim_host.h"
#include "support/sim_game.h"
#include "support/temp_dir.h"

extern char** environ;

namespace sb {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = SB_GOLDEN_DIR;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every run of the folder, by name, in order.
std::vector<std::string> RunNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir)) {
    if (entry.path().extension() == ".script") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The lines of a file, without blank lines and # comments.
std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  std::istringstream in(ReadText(file));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// A player folder whose player file holds a saved game with the standing that
// NAME.saved gives as `field=value` lines: the load item of the main menu
// starts it. The file is written by the program's own save, so it is what a
// player who saved that standing would have.
void SavedGameHome(const fs::path& saved, const fs::path& home) {
  using Setter = std::function<void(GameState&, int)>;
  const std::map<std::string, Setter> fields = {
      {"level", [](GameState& s, int v) { s.Level = static_cast<uint8_t>(v); }},
      {"wave", [](GameState& s, int v) { s.Wave = static_cast<uint8_t>(v); }},
      {"difficulty", [](GameState& s, int v) { s.Difficulty = static_cast<uint8_t>(v); }},
      {"score", [](GameState& s, int v) { s.Score = v; }},
      {"energy", [](GameState& s, int v) { s.Energy = static_cast<int16_t>(v); }},
      {"missiles-spent", [](GameState& s, int v) { s.MissilesSpent = static_cast<uint8_t>(v); }},
      {"nukes", [](GameState& s, int v) { s.Nukes = static_cast<uint8_t>(v); }},
      {"vapors", [](GameState& s, int v) { s.Vapors = static_cast<uint8_t>(v); }},
      {"shields", [](GameState& s, int v) { s.Shields = static_cast<uint8_t>(v); }},
      {"rapid-ms", [](GameState& s, int v) { s.RapidTime = v; }},
      {"turbo-ms", [](GameState& s, int v) { s.TurboTime = v; }},
  };
  SimOptions options;
  options.home = home;
  test::SimGame sim(options);
  LoadPlayerFiles(sim.game);
  for (const std::string& line : Lines(saved)) {
    const auto eq = line.find('=');
    const auto field = fields.find(line.substr(0, eq));
    ASSERT_TRUE(eq != std::string::npos && field != fields.end()) << saved << ": " << line;
    field->second(sim.game.state, std::stoi(line.substr(eq + 1)));
  }
  SaveGame(sim.game);
}

struct Finished {
  std::string log;
  std::string errors;
  int status = -1;
};

// starbarrow-sim with these options, its output and errors caught in files.
Finished RunSimulator(const std::vector<std::string>& options, const fs::path& scratch) {
  std::vector<std::string> args = {SB_SIM_PROGRAM};
  args.insert(args.end(), options.begin(), options.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string out = (scratch / "stdout").string();
  const std::string err = (scratch / "stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  Finished finished;
  const int spawned = posix_spawn(&pid, SB_SIM_PROGRAM, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    finished.errors = "could not start " + std::string(SB_SIM_PROGRAM);
    return finished;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  finished.log = ReadText(out);
  finished.errors = ReadText(err);
  return finished;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (!text.empty() && text.back() != '\n') lines.back() += " (no line break at the end)";
  return lines;
}

// Where two logs first part: the line's number and both versions.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = SplitLines(expected);
  const std::vector<std::string> got = SplitLines(actual);
  size_t i = 0;
  while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
  std::ostringstream out;
  out << "first difference at line " << i + 1 << " (expected " << want.size() << " lines, got " << got.size()
      << ")\n  expected: " << (i < want.size() ? want[i] : "(end of log)")
      << "\n  got:      " << (i < got.size() ? got[i] : "(end of log)") << '\n';
  return out.str();
}

class GoldenLog : public testing::TestWithParam<std::string> {};

TEST_P(GoldenLog, ReplayGivesTheCheckedInLog) {
  const std::string name = GetParam();
  const fs::path base = kGoldenDir / name;
  test::TempDir scratch;
  std::vector<std::string> options;
  for (const std::string& line : Lines(base.string() + ".args")) {
    const auto space = line.find(' ');
    options.push_back(line.substr(0, space));
    if (space != std::string::npos) options.push_back(line.substr(space + 1));
  }
  options.insert(options.end(), {"--script", base.string() + ".script"});
  if (fs::exists(base.string() + ".saved")) {
    const fs::path home = scratch.path() / "home";
    fs::create_directories(home);
    SavedGameHome(base.string() + ".saved", home);
    if (HasFatalFailure()) return;
    options.insert(options.end(), {"--home", home.string()});
  }
  const Finished run = RunSimulator(options, scratch.path());
  ASSERT_TRUE(run.errors.empty()) << run.errors;
  ASSERT_EQ(run.status, 0) << "starbarrow-sim ended with status " << run.status;
  const fs::path logFile = base.string() + ".log";
  if (std::getenv("SB_GOLDEN_UPDATE")) {
    std::ofstream(logFile, std::ios::binary) << run.log;
    return;
  }
  ASSERT_TRUE(fs::exists(logFile)) << logFile.string() << " is missing: scripts/golden-logs --update writes it";
  const std::string expected = ReadText(logFile);
  if (run.log != expected) {
    ADD_FAILURE() << name << ": the log differs from " << logFile.string() << "\n"
                  << FirstDifference(expected, run.log);
  }
}

// A test's name may hold only letters, digits and underscores.
std::string TestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Runs, GoldenLog, testing::ValuesIn(RunNames()), TestName);

}  // namespace
}  // namespace sb
