// Lockstep: a script read line by line as the clock needs it, by a player at
// the other end of a pipe, gives the log the same lines give as a script.

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/sim_host.h"
#include "support/log_lines.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

SimOptions GameOptions() {
  SimOptions options;
  options.directGame = DirectGame{1, 1, 1};
  options.untilMs = 6000;
  return options;
}

SimResult AsScript(SimOptions options, const std::string& lines) {
  std::istringstream in(lines);
  options.script = ParseScript(in);
  return RunSimulation(options);
}

// The lockstep run, and the times it waited at.
SimResult InLockstep(SimOptions options, const std::string& lines, std::vector<int>* waits = nullptr) {
  std::istringstream in(lines);
  std::ostringstream out;
  options.lockstep = &in;
  SimResult result = RunSimulation(options, &out);
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "wait" && waits) waits->push_back(l.ms);
  }
  return result;
}

TEST(Lockstep, GivesTheLogTheSameLinesGiveAsAScript) {
  struct Case {
    const char* name;
    std::string lines;
    std::vector<int> waits;  // where the clock stopped for more lines
  };
  const std::vector<Case> cases = {
      {"runs only", "0 run\n2500 run\n", {0, 2500}},
      {"keys held and tapped, lines for the current time read at once",
       "0 run\n1000 down RIGHT\n1000 tap SPACE\n1200 run\n1200 up RIGHT\n1200 down LEFT\n1900 up LEFT\n3000 run\n",
       {0, 1000, 1200, 1900, 3000}},
      {"a tap's release is due while the player is asked, before a later line of its time",
       "# the release at 2050 comes first, as a script orders it\n2000 tap SPACE\n2050 down SPACE\n2050 run\n"
       "2400 up SPACE\n",
       {0, 2000, 2050, 2400}},
      {"a controller plugged and moved", "0 joystick plug\n100 axis X 32767\n900 axis X 0\n", {0, 100, 900}},
  };
  for (const Case& c : cases) {
    const SimResult script = AsScript(GameOptions(), c.lines);
    std::vector<int> waits;
    const SimResult lockstep = InLockstep(GameOptions(), c.lines, &waits);
    EXPECT_TRUE(lockstep.reachedUntil) << c.name;
    EXPECT_FALSE(lockstep.scriptError) << c.name;
    EXPECT_EQ(lockstep.lines, script.lines) << c.name;
    EXPECT_EQ(waits, c.waits) << c.name;
  }
}

TEST(Lockstep, ALineItCannotUseEndsTheRunNamingTheLine) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0 run\n500 run\n100 tap LEFT\n", "script line 3 (100 tap LEFT): the clock is at 500 ms already"},
      {"0 run\n200 hop A\n", "script line 2 (200 hop A): unknown event 'hop'"},
      {"bad\n", "script line 1 (bad): expected a time in milliseconds"},
  };
  for (const auto& [lines, why] : cases) {
    const SimResult result = InLockstep(GameOptions(), lines);
    EXPECT_FALSE(result.reachedUntil) << lines;
    EXPECT_EQ(result.scriptError.value_or(""), why);
  }
}

// Reads the program's output a line at a time; fails instead of hanging when
// the program stops writing without asking for input.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  bool Next(std::string& line) {
    for (;;) {
      if (const auto end = buffer_.find('\n'); end != std::string::npos) {
        line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return true;
      }
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 30000) != 1) return false;
      char chunk[4096];
      const ssize_t n = read(fd_, chunk, sizeof chunk);
      if (n <= 0) return false;
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

 private:
  int fd_;
  std::string buffer_;
};

// Runs starbarrow-sim with these arguments, stdin and stdout through pipes.
struct SimProcess {
  explicit SimProcess(std::vector<std::string> args) {
    args.insert(args.begin(), SB_SIM_PROGRAM);
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid, SB_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    toSim = in[1];
    fromSim = out[0];
  }
  ~SimProcess() {
    if (toSim >= 0) close(toSim);
    if (fromSim >= 0) close(fromSim);
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  void Send(const std::string& text) const { ASSERT_EQ(write(toSim, text.data(), text.size()), ssize_t(text.size())); }
  int Finish() {
    close(toSim);
    toSim = -1;
    int status = 0;
    waitpid(pid, &status, 0);
    pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  pid_t pid = 0;
  int toSim = -1;
  int fromSim = -1;
};

// A player that answers each wait as it comes: it steers toward the side the
// last sound it heard came from and fires, and lets the clock run a while.
TEST(Lockstep, APlayerAtTheOtherEndOfAPipe) {
  const std::vector<std::string> common = {"--game", "1:1:1", "--until", "8000", "--seed", "7"};
  std::vector<std::string> args = common;
  args.push_back("--lockstep");
  SimProcess sim(args);
  ASSERT_GT(sim.pid, 0);
  LineReader reader(sim.fromSim);
  std::string sent, log;
  int lastPan = 0, waits = 0;
  for (std::string line; reader.Next(line);) {
    const test::LogLine l = test::ParseLogLine(line);
    if (l.op == "end") log += line + "\n";
    if (l.op == "end") break;
    if (l.op != "wait") {
      log += line + "\n";
      if (const auto pan = l.rest.find("pan="); pan != std::string::npos) lastPan = std::stoi(l.rest.substr(pan + 4));
      continue;
    }
    ++waits;
    const std::string now = std::to_string(l.ms);
    std::string answer = now + " tap " + (lastPan < 0 ? "LEFT" : "RIGHT") + "\n";
    if (waits % 3 == 0) answer += now + " tap SPACE\n";
    answer += std::to_string(l.ms + 90 + 40 * (waits % 5)) + " run\n";
    sim.Send(answer);
    sent += answer;
  }
  EXPECT_EQ(sim.Finish(), 0);
  ASSERT_GT(waits, 20) << log;

  test::TempDir dir;
  const auto script = dir.path() / "script.txt";
  std::ofstream(script) << sent;
  args = common;
  args.insert(args.end(), {"--script", script.string()});
  SimProcess replay(args);
  LineReader replayReader(replay.fromSim);
  std::string replayed;
  for (std::string line; replayReader.Next(line);) replayed += line + "\n";
  EXPECT_EQ(replay.Finish(), 0);
  EXPECT_EQ(replayed, log);
}

}  // namespace
}  // namespace sb
