#include "audio/path_resolver.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace sb {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> SplitSoundName(std::string_view name) {
  if (!name.empty() && (name.front() == '/' || name.front() == '\\')) return std::nullopt;
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&]() -> bool {
    if (part == "..") return false;
    if (!part.empty() && part != ".") parts.push_back(part);
    part.clear();
    return true;
  };
  for (char c : name) {
    if (c == '/' || c == '\\') {
      if (!flush()) return std::nullopt;
    } else {
      part += c;
    }
  }
  if (!flush() || parts.empty()) return std::nullopt;
  return parts;
}

std::string NormalizeSoundName(std::string_view name) {
  std::string out = Lower(name);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

PathResolver::PathResolver(std::filesystem::path root) : root_(std::move(root)) {}

const std::map<std::string, std::string>& PathResolver::Listing(const std::filesystem::path& dir) {
  auto [it, inserted] = listings_.try_emplace(dir.string());
  if (inserted) {
    std::error_code ec;
    for (std::filesystem::directory_iterator entries(dir, ec), end; !ec && entries != end; entries.increment(ec)) {
      const std::string actual = entries->path().filename().string();
      it->second.emplace(Lower(actual), actual);
    }
  }
  return it->second;
}

std::optional<std::filesystem::path> PathResolver::Resolve(std::string_view name) {
  const auto parts = SplitSoundName(name);
  if (!parts) return std::nullopt;
  std::filesystem::path path = root_;
  for (const std::string& part : *parts) {
    const auto& listing = Listing(path);
    const auto found = listing.find(Lower(part));
    if (found == listing.end()) return std::nullopt;
    path /= found->second;
  }
  return path;
}

}  // namespace sb
