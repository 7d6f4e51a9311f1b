#include "hosts/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace sb {

namespace {

bool FillAddress(const std::filesystem::path& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  const std::string s = path.string();
  if (s.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, s.c_str(), s.size() + 1);
  return true;
}

}  // namespace

InstanceLock::InstanceLock(std::filesystem::path dir, std::string name)
    : lockPath_(dir / (name + ".lock")), socketPath_(dir / (name + ".sock")) {}

InstanceLock::~InstanceLock() {
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(socketPath_.c_str());
  }
  if (lockFd_ >= 0) ::close(lockFd_);
}

std::filesystem::path InstanceLock::DefaultDir() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
  return std::filesystem::temp_directory_path();
}

bool InstanceLock::Claim() {
  lockFd_ = ::open(lockPath_.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
  // Without a usable lock file the game still runs rather than refusing to start.
  if (lockFd_ < 0) return true;
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lockFd_);
    lockFd_ = -1;
    sockaddr_un addr;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && FillAddress(socketPath_, addr) &&
        ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
      const char message[] = "raise\n";
      [[maybe_unused]] const ssize_t n = ::write(fd, message, sizeof message - 1);
    }
    if (fd >= 0) ::close(fd);
    return false;
  }
  sockaddr_un addr;
  if (!FillAddress(socketPath_, addr)) return true;
  ::unlink(socketPath_.c_str());  // left behind by a copy that crashed
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ >= 0 && (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
                         ::listen(listenFd_, 4) != 0)) {
    ::close(listenFd_);
    listenFd_ = -1;
  }
  return true;
}

bool InstanceLock::RaiseRequested() {
  if (listenFd_ < 0) return false;
  bool requested = false;
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    requested = true;
    ::close(fd);
  }
  return requested;
}

}  // namespace sb
