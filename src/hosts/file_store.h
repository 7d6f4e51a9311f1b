#pragma once
// A folder of small files, on disk or in memory. Writes on disk are atomic
// and durable: a temporary file in the same folder, flushed to the disk, then
// renamed over the old one, and the rename flushed too. A crash at any moment
// leaves the old file or the new one, whole; temporary files a crash left
// behind are removed when the folder is next written.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_read.h"

namespace sb {

class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual FileRead Read(const std::string& name) = 0;
  virtual bool Write(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
};

class DiskFolder : public FileStore {
 public:
  explicit DiskFolder(std::filesystem::path dir) : dir_(std::move(dir)) {}
  FileRead Read(const std::string& name) override;
  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) override;
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

class MemoryFolder : public FileStore {
 public:
  FileRead Read(const std::string& name) override;
  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) override;

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
};

// The most ReadWholeFile reads unless told otherwise.
constexpr size_t kMaxFileBytes = size_t{256} << 20;
// The most a folder of the player's small files reads of one: none of them
// comes near it, and a file that does is not one of ours.
constexpr size_t kMaxFolderFileBytes = size_t{1} << 20;

// Writes a whole file atomically. A new file's permissions follow the umask;
// a file replaced keeps its permissions, and a symbolic link is written
// through to the file it names (the link stays). A file without its owner's
// write permission is not replaced (EACCES). False (and errno set) on failure.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// The bytes of a regular file of at most `limit` bytes; nothing (and errno
// set) for a file that is not there (ENOENT), a folder (EISDIR), a device or a
// pipe (EINVAL), a larger file (EFBIG) or one that cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path, size_t limit = kMaxFileBytes);

}  // namespace sb
