#pragma once
// The per-user settings store: an INI-style text file, one [application/section]
// block per section, "key=value" lines. The game only writes to it; other
// entries already in the file are kept.

#include <filesystem>
#include <string>

namespace sb {

// The text of `ini` with key set to value under [app/section].
std::string SetIniValue(const std::string& ini, const std::string& app, const std::string& section,
                        const std::string& key, const std::string& value);

// Reads, changes and atomically rewrites the file; false on failure.
bool WriteIniSetting(const std::filesystem::path& file, const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value);

}  // namespace sb
