#pragma once
// A player folder in memory that takes writes until the test fills it, then
// refuses them as a full disk does.

#include <cerrno>
#include <string>
#include <vector>

#include "hosts/file_store.h"

namespace sb::test {

class FillingFolder : public MemoryFolder {
 public:
  bool full = false;

  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) override {
    if (!full) return MemoryFolder::Write(name, bytes);
    errno = ENOSPC;
    return false;
  }
};

}  // namespace sb::test
