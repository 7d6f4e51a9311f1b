#pragma once
// A private X server for tests of the real window: Xvfb on a display number
// it picks itself (-displayfd), stopped when the fixture goes.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace sb::test {

class Xvfb {
 public:
  Xvfb() {
    if (access(kProgram, X_OK) != 0) return;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    const std::string fd = std::to_string(pipeFds[1]);
    const char* argv[] = {kProgram, "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                          nullptr};
    if (posix_spawn(&pid_, kProgram, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = 0;
    close(pipeFds[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (pid_ != 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeFds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  // Empty when no server could be started (Xvfb is not installed).
  const std::string& Display() const { return display_; }

 private:
  static constexpr const char* kProgram = "/usr/bin/Xvfb";
  pid_t pid_ = 0;
  std::string display_;
};

}  // namespace sb::test
