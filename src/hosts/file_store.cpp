#include "hosts/file_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

namespace sb {

namespace {

// A temporary file is named "<file>.tmp-<pid>-<n>" beside the file it replaces.
constexpr std::string_view kTempMarker = ".tmp-";

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool SyncFd(int fd) {
  while (::fsync(fd) != 0) {
    if (errno == EINTR) continue;
    // Some file systems cannot sync a folder; there is nothing more to do then.
    return errno == EINVAL;
  }
  return true;
}

// Makes the rename itself survive a power cut.
bool SyncFolder(const std::filesystem::path& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = SyncFd(fd);
  ::close(fd);
  return ok;
}

// The process that wrote a temporary file, when the name is one of ours.
pid_t WriterOf(std::string_view name) {
  const size_t marker = name.rfind(kTempMarker);
  if (marker == std::string_view::npos) return 0;
  pid_t pid = 0;
  size_t i = marker + kTempMarker.size();
  const size_t digits = i;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 100000000; ++i) pid = pid * 10 + (name[i] - '0');
  if (i == digits || i >= name.size() || name[i] != '-') return 0;
  return pid;
}

// Temporary files whose writer is gone were left by a crash or a power cut:
// the file they were to replace is still whole, so they only take room.
void RemoveStaleTemporaries(const std::filesystem::path& dir) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  while (const dirent* entry = ::readdir(d)) {
    const pid_t writer = WriterOf(entry->d_name);
    if (writer <= 0 || writer == ::getpid()) continue;
    if (::kill(writer, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours to judge
    ::unlinkat(::dirfd(d), entry->d_name, 0);
  }
  ::closedir(d);
}

// A new, empty temporary file beside `path`, readable as the umask allows.
int CreateTemporary(const std::filesystem::path& path, std::string& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path.string() + std::string(kTempMarker) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Where a write to `path` really goes: through a symbolic link to the file it
// names, so a player who keeps a file elsewhere and links it in keeps the link.
std::filesystem::path WriteTarget(std::filesystem::path path) {
  std::error_code ec;
  for (int hop = 0; hop < 40 && std::filesystem::is_symlink(path, ec); ++hop) {  // 40: the kernel's own bound
    const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

// The permissions the new file takes: those of the file it replaces. False
// (errno EACCES) when that file is read-only: its owner made it so.
bool KeepMode(const std::filesystem::path& path, int fd) {
  struct stat old{};
  if (::stat(path.c_str(), &old) != 0) return true;  // a new file: the umask decides
  if ((old.st_mode & S_IWUSR) == 0) {
    errno = EACCES;
    return false;
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& asked, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path path = WriteTarget(asked);
  const std::filesystem::path dir = path.parent_path();
  if (!dir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
      errno = ec.value();  // a read-only file system says so here, not later as a missing folder
      return false;
    }
  }
  RemoveStaleTemporaries(dir);
  std::string temp;
  const int fd = CreateTemporary(path, temp);
  if (fd < 0) return false;
  const bool written = KeepMode(path, fd) && WriteAll(fd, bytes.data(), bytes.size()) && SyncFd(fd);
  const int saved = errno;
  if (::close(fd) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
    const int why = written ? errno : saved;
    std::remove(temp.c_str());
    errno = why;
    return false;
  }
  return SyncFolder(dir);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path, size_t limit) {
  // Not blocking: a pipe put where a file should be must not hang the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st{};
  std::optional<std::vector<uint8_t>> out;
  int why = 0;
  if (::fstat(fd, &st) != 0) {
    why = errno;
  } else if (S_ISDIR(st.st_mode)) {
    why = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    why = EINVAL;
  } else if (static_cast<uintmax_t>(st.st_size) > limit) {
    why = EFBIG;
  } else {
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    for (;;) {
      if (done == bytes.size()) bytes.resize(done + 4096);  // the file may have grown since
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        why = errno;
        break;
      }
      if (done + static_cast<size_t>(n) > limit) {
        why = EFBIG;
        break;
      }
      done += static_cast<size_t>(n);
      if (n == 0) {
        bytes.resize(done);
        out = std::move(bytes);
        break;
      }
    }
  }
  ::close(fd);
  if (!out) errno = why;
  return out;
}

FileRead DiskFolder::Read(const std::string& name) {
  auto bytes = ReadWholeFile(dir_ / name, kMaxFolderFileBytes);
  return FileRead(std::move(bytes), errno);
}

bool DiskFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(dir_ / name, bytes);
}

FileRead MemoryFolder::Read(const std::string& name) {
  const auto it = files_.find(name);
  if (it == files_.end()) return FileRead(std::nullopt, ENOENT);
  return it->second;
}

bool MemoryFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) {
  files_[name] = bytes;
  return true;
}

}  // namespace sb
