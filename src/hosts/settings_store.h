#pragma once
// The per-user settings store: an INI-style text file, one [application/section]
// block per section, "key=value" lines. Writing a value keeps every other
// entry already in the file.

#include <filesystem>
#include <optional>
#include <string>

namespace sb {

// The text of `ini` with key set to value under [app/section].
std::string SetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                        const std::string& key, const std::string& value);
// Nothing when the file or the value is not there.
std::optional<std::string> ReadIniSetting(const std::filesystem::path& file, const std::string& app,
                                          const std::string& section, const std::string& key);

// The value of key under [app/section] in `ini`; nothing when it is not there.
std::optional<std::string> GetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                                       const std::string& key);

// Reads, changes and atomically rewrites the file, every line it does not
// change kept byte for byte; false (errno set) on failure, and when the file
// is there but cannot be read, which leaves it as it is.
bool WriteIniSetting(const std::filesystem::path& file, const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value);

}  // namespace sb
