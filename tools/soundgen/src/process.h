#pragma once
// Running the outside programs the generator needs (the speech synthesizer
// and the MP3 encoder), with their output kept in a log for error messages.

#include <filesystem>
#include <string>
#include <vector>

namespace sg {

// Runs argv[0] (looked up on PATH) with stdin from `input` (or /dev/null when
// empty) and stdout and stderr into `log`. Returns the exit status, or -1 if
// the program could not be started or was killed.
int RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& log,
               const std::filesystem::path& input = {});

// The last lines of a log, for an error message.
std::string LogTail(const std::filesystem::path& log, size_t max_chars = 600);

}  // namespace sg
