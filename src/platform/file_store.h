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

namespace sb {

class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual std::optional<std::vector<uint8_t>> Read(const std::string& name) = 0;
  virtual bool Write(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
};

class DiskFolder : public FileStore {
 public:
  explicit DiskFolder(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::optional<std::vector<uint8_t>> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) override;
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

class MemoryFolder : public FileStore {
 public:
  std::optional<std::vector<uint8_t>> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) override;

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
};

// The most ReadWholeFile reads unless told otherwise.
constexpr size_t kMaxFileBytes = size_t{256} << 20;

// Writes a whole file atomically; a new file's permissions follow the umask.
// False (and errno set) on failure.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// The bytes of a regular file of at most `limit` bytes; nothing for a folder,
// a device, a pipe, a larger file or one that cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path, size_t limit = kMaxFileBytes);

}  // namespace sb
