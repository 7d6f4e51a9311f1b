// starbarrow-sim's options and script, as the program reads them from its
// command line: a number out of range is refused with the range and exit
// status 2, never wrapped or clamped, and text quoted in a message shows its
// control bytes.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace sb {
namespace {

struct Finished {
  int code = -1;
  std::string out;
  std::string err;
  std::string FirstErrorLine() const { return err.substr(0, err.find('\n')); }
};

std::string Contents(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// The program's exit status; -1 when it ended otherwise, or ran on so long
// (half a minute, where a refusal takes a moment) that it was ended: it took
// an option it should have refused.
int Wait(pid_t pid) {
  int status = 0;
  for (int i = 0; i < 3000; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

// Runs the simulator to its end with these arguments and this stdin. Every
// run stops at 100 ms unless its arguments say otherwise, so an option the
// program should have refused cannot keep it running.
Finished RunSim(std::vector<std::string> args, const std::string& input = "") {
  const test::TempDir dir;
  const auto in = dir.path() / "in", out = dir.path() / "out", err = dir.path() / "err";
  std::ofstream(in, std::ios::binary) << input;
  args.insert(args.begin(), {SB_SIM_PROGRAM, "--until", "100"});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  Finished finished;
  if (posix_spawn(&pid, SB_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) == 0) {
    finished.code = Wait(pid);
  }
  posix_spawn_file_actions_destroy(&actions);
  finished.out = Contents(out);
  finished.err = Contents(err);
  return finished;
}

// Ended with status 2 and this reason first on stderr.
void ExpectRefused(const Finished& run, const std::string& message) {
  EXPECT_EQ(run.code, 2) << message;
  EXPECT_EQ(run.FirstErrorLine(), "starbarrow-sim: " + message);
}

TEST(SimOptions, NumbersOutOfRangeAreRefusedWithTheirRange) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--until", "4294968296"}, "--until needs a whole number from 0 to 2061083647, not '4294968296'"},
      {{"--until", "2147483647"}, "--until needs a whole number from 0 to 2061083647, not '2147483647'"},
      {{"--until", "2061083648"}, "--until needs a whole number from 0 to 2061083647, not '2061083648'"},
      {{"--until", "-1"}, "--until needs a whole number from 0 to 2061083647, not '-1'"},
      {{"--until", "100ms"}, "--until needs a whole number from 0 to 2061083647, not '100ms'"},
      {{"--until", " 100"}, "--until needs a whole number from 0 to 2061083647, not ' 100'"},
      {{"--until", ""}, "--until needs a whole number from 0 to 2061083647, not ''"},
      {{"--seed", "4294967297"}, "--seed needs a whole number from 0 to 86399, not '4294967297'"},
      {{"--seed", "86400"}, "--seed needs a whole number from 0 to 86399, not '86400'"},
      {{"--passes-per-ms", "4294967296"}, "--passes-per-ms needs a whole number from 1 to 1000000, not '4294967296'"},
      {{"--passes-per-ms", "0"}, "--passes-per-ms needs a whole number from 1 to 1000000, not '0'"},
      {{"--passes-per-ms", "10.5"}, "--passes-per-ms needs a whole number from 1 to 1000000, not '10.5'"},
      {{"--http-delay", "3600001"}, "--http-delay needs a whole number from 0 to 3600000, not '3600001'"},
      {{"--http-delay", "18446744073709551716"},
       "--http-delay needs a whole number from 0 to 3600000, not '18446744073709551716'"},
      {{"--length", "sounds/laser.wav=4294967296"}, "--length needs a whole number from 0 to 3600000, not '4294967296'"},
      {{"--length", "sounds/laser.wav=3600001"}, "--length needs a whole number from 0 to 3600000, not '3600001'"},
      {{"--length", "sounds/laser.wav=-5"}, "--length needs a whole number from 0 to 3600000, not '-5'"},
      {{"--joysticks", "65"}, "--joysticks needs a whole number from 0 to 64, not '65'"},
      {{"--joysticks", "4294967297"}, "--joysticks needs a whole number from 0 to 64, not '4294967297'"},
      {{"--joysticks", "2x"}, "--joysticks needs a whole number from 0 to 64, not '2x'"},
      {{"--speech-ms-per-char", "0"}, "--speech-ms-per-char needs a whole number from 1 to 10000, not '0'"},
      {{"--speech-ms-per-char", "10001"}, "--speech-ms-per-char needs a whole number from 1 to 10000, not '10001'"},
  };
  for (const auto& c : cases) ExpectRefused(RunSim(c.args), c.message);
}

TEST(SimOptions, TheEndsOfEachRangeAreTaken) {
  const std::vector<std::string> args = {"--seed", "86399", "--passes-per-ms", "1", "--http-delay", "3600000",
                                         "--length", "sounds/laser.wav=3600000", "--joysticks", "64", "--until", "10",
                                         "--speech-ms-per-char", "10000"};
  const Finished run = RunSim(args);
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(run.out.ends_with("\n10 end\n")) << run.out;
}

// The screen-reader voice's options: the title said at the rate given, or,
// with no speech-dispatcher, the recorded notice and the recorded title.
TEST(SimOptions, TheScreenReaderVoiceSpeaksAtItsRateOrCannotBeHad) {
  const std::vector<std::string> own = {"--setting", "Starbarrow/Speech/voice=screen-reader", "--until", "3000"};
  std::vector<std::string> slow = own;
  slow.insert(slow.end(), {"--speech-ms-per-char", "100"});
  const Finished said = RunSim(slow);
  EXPECT_NE(said.out.find("\n0 say \"Starbarrow!\"\n"), std::string::npos) << said.out;
  EXPECT_NE(said.out.find("\n1100 play sounds/bare/sb.wav "), std::string::npos) << said.out;  // 11 characters later
  std::vector<std::string> none = own;
  none.push_back("--no-speech-dispatcher");
  const Finished recorded = RunSim(none);
  EXPECT_EQ(recorded.out.find(" say "), std::string::npos) << recorded.out;
  EXPECT_NE(recorded.out.find(" play system/menu/novoice.wav "), std::string::npos) << recorded.out;
}

// Control bytes in an option are shown, as the event log shows them, not
// sent to the terminal.
TEST(SimOptions, ControlBytesInAnOptionAreShown) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--until", "1\x1b[2J\x01"}, "--until needs a whole number from 0 to 2061083647, not '1\\x1B[2J\\x01'"},
      {{"--http-reply", "ok\x1b]0;x\x07"}, "--http-reply needs 'STATUS [TEXT]' or none, not 'ok\\x1B]0;x\\x07'"},
      {{"--game", "1:1\t:1"}, "--game needs LEVEL:WAVE:DIFFICULTY (1-8:1-5:1-4), not '1:1\\t:1'"},
      {{"--\x1b[31m"}, "unknown option '--\\x1B[31m'"},
  };
  for (const auto& c : cases) ExpectRefused(RunSim(c.args), c.message);
}

// A script read whole or in lockstep: a time beyond the clock and a NUL in a
// line are named in full, and the run ends with status 2.
TEST(SimOptions, AScriptLineItCannotUseIsNamedInFull) {
  const test::TempDir dir;
  const struct {
    bool lockstep;
    std::string script;
    const char* message;
  } cases[] = {
      {false, "2147483647 run\n",
       "script line 1 (2147483647 run): a time goes from 0 to 2061083647 ms, not 2147483647"},
      {false, std::string("10 down A\0B\n", 12), "script line 1 (10 down A\\x00B): unknown key 'A\\x00B'"},
      {true, "0 run\n4294968296 run\n",
       "script line 2 (4294968296 run): a time goes from 0 to 2061083647 ms, not 4294968296"},
      {true, std::string("0 run\n50 tap \0\x01\n", 16), "script line 2 (50 tap \\x00\\x01): unknown key '\\x00\\x01'"},
      {false, "10 speech gone\n", "script line 1 (10 speech gone): expected 'speech lost' or 'speech back'"},
  };
  for (const auto& c : cases) {
    const auto file = dir.path() / "script.txt";
    std::ofstream(file, std::ios::binary) << c.script;
    ExpectRefused(c.lockstep ? RunSim({"--lockstep"}, c.script) : RunSim({"--script", file.string()}), c.message);
  }
}

}  // namespace
}  // namespace sb
