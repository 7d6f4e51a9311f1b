#pragma once
// Maps names as the code writes them (back or forward slashes, any letter
// case) onto the files of the sound tree. Directory listings are cached, so
// resolving a name a second time touches no file.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sb {

// Splits a name on either slash, dropping empty and "." parts. Returns nothing
// for names that would leave the tree ("..", absolute paths).
std::optional<std::vector<std::string>> SplitSoundName(std::string_view name);

// Lower case with forward slashes: the key under which a name is cached.
std::string NormalizeSoundName(std::string_view name);

class PathResolver {
 public:
  explicit PathResolver(std::filesystem::path root);

  std::optional<std::filesystem::path> Resolve(std::string_view name);
  const std::filesystem::path& Root() const { return root_; }

 private:
  // Lower-case entry name -> actual entry name, for one directory.
  const std::map<std::string, std::string>& Listing(const std::filesystem::path& dir);

  std::filesystem::path root_;
  std::unordered_map<std::string, std::map<std::string, std::string>> listings_;
};

}  // namespace sb
