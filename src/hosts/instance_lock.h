#pragma once
// One running copy per user: the first instance holds a lock file and listens
// on a local socket; a later start finds the lock taken, asks the first one
// to come to the front through the socket, and ends.

#include <filesystem>
#include <string>

namespace sb {

class InstanceLock {
 public:
  // `dir` holds the lock file and the socket; `name` is their stem.
  InstanceLock(std::filesystem::path dir, std::string name);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this is the only instance. False when another holds the lock;
  // it has then been asked to come to the front.
  bool Claim();
  // True when a later start asked this instance to come to the front since
  // the last call. Never blocks.
  bool RaiseRequested();

  // $XDG_RUNTIME_DIR, or the temporary folder.
  static std::filesystem::path DefaultDir();

 private:
  std::filesystem::path lockPath_;
  std::filesystem::path socketPath_;
  int lockFd_ = -1;
  int listenFd_ = -1;
};

}  // namespace sb
