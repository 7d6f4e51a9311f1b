#include "platform/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

namespace sb {

bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::string temp = path.string() + ".tmp-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) break;
    done += static_cast<size_t>(n);
  }
  const bool ok = done == bytes.size() && ::fsync(fd) == 0;
  ::fchmod(fd, 0644);
  if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::vector<uint8_t>> DiskFolder::Read(const std::string& name) { return ReadWholeFile(dir_ / name); }

bool DiskFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(dir_ / name, bytes);
}

std::optional<std::vector<uint8_t>> MemoryFolder::Read(const std::string& name) {
  const auto it = files_.find(name);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool MemoryFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) {
  files_[name] = bytes;
  return true;
}

}  // namespace sb
