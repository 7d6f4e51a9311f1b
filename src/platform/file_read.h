#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace sb {

// A file's bytes, or nothing and why: a file that is not there (ENOENT, or
// ENOTDIR when a file stands where its folder should be) is another answer
// than one that is there and cannot be read, whose bytes the player may still
// want back.
struct FileRead : std::optional<std::vector<uint8_t>> {
  using std::optional<std::vector<uint8_t>>::optional;
  FileRead(std::optional<std::vector<uint8_t>> bytes, int why)
      : std::optional<std::vector<uint8_t>>(std::move(bytes)), error(has_value() ? 0 : why) {}
  int error = 0;  // errno when there are no bytes
  bool Missing() const { return !has_value() && (error == ENOENT || error == ENOTDIR); }
};

}  // namespace sb
