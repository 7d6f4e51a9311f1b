#pragma once
// A folder of small files, on disk or in memory. Writes on disk are atomic:
// a temporary file in the same folder, flushed, then renamed over the old one.

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

// Writes a whole file atomically; false (and errno set) on failure.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);

}  // namespace sb
