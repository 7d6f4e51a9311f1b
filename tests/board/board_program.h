#pragma once
// The board program itself, started with the arguments given and its first
// line of output read ("starbarrow-board: serving FILE on ADDRESS port N").

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace sb::test {

class BoardProgram {
 public:
  explicit BoardProgram(std::vector<std::string> arguments) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    arguments.insert(arguments.begin(), SB_BOARD_PROGRAM);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, SB_BOARD_PROGRAM, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = out[0];
    char c;
    while (pid_ > 0 && read(out_, &c, 1) == 1 && c != '\n') firstLine_ += c;
  }
  ~BoardProgram() {
    Kill();
    if (out_ >= 0) close(out_);
  }
  BoardProgram(const BoardProgram&) = delete;
  BoardProgram& operator=(const BoardProgram&) = delete;

  const std::string& FirstLine() const { return firstLine_; }
  int Port() const { return std::atoi(firstLine_.substr(firstLine_.rfind(' ') + 1).c_str()); }

  // Killed without warning; returns once it is gone.
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    Wait();
  }
  // Its exit status once it has ended by itself; -1 when it was killed.
  int Wait() {
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
    return exitStatus_;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string firstLine_;
  int exitStatus_ = -1;
};

}  // namespace sb::test
