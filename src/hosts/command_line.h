#pragma once
// The `starbarrow` command: play (no options), or answer a question and exit.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sb {

enum class CommandAction { Play, Help, Version, ListAudioDevices, Invalid };

struct CommandLine {
  CommandAction action = CommandAction::Play;
  // --audio-device NAME; nothing when not given (the settings file decides).
  std::optional<std::string> audioDevice;
  std::string error;  // what is wrong with an Invalid command line
};

// The arguments after the program's name. --help and --version answer at
// once, whatever follows them; anything not understood makes it Invalid.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Answers everything but Play on `out` (or `err` for an Invalid command line)
// and gives the exit code: 0, 1 when the sound system cannot be started,
// 2 for a command line not understood. Nothing for Play.
std::optional<int> AnswerCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err);

}  // namespace sb
