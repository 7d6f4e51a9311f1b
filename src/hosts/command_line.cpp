#include "hosts/command_line.h"

#include "hosts/audio_output.h"
#include "program/startup.h"

namespace sb {

namespace {

constexpr const char* kUsage =
    "Usage: starbarrow [OPTION]...\n"
    "An audio-only arcade shooter: every ship, alien, menu and score is heard.\n"
    "Run it without options to play.\n"
    "\n"
    "  --audio-device NAME    play through the sound device NAME, as --list-audio-devices\n"
    "                         names it; \"\" is the system's default device\n"
    "  --list-audio-devices   list the sound devices and exit\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "\n"
    "Without --audio-device, the device named by audio_device under [Starbarrow/Sound]\n"
    "in $XDG_CONFIG_HOME/starbarrow/settings.ini is used (the default device when that\n"
    "is not set); a device that cannot be opened gives way to the default one.\n"
    "The player's files are kept in $XDG_DATA_HOME/starbarrow.\n";

constexpr std::string_view kDeviceOption = "--audio-device";

CommandLine Invalid(std::string why) { return {CommandAction::Invalid, std::nullopt, std::move(why)}; }

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandAction::Help, std::nullopt, {}};
    if (arg == "--version") return {CommandAction::Version, std::nullopt, {}};
    if (arg == "--list-audio-devices") {
      command.action = CommandAction::ListAudioDevices;
    } else if (arg == kDeviceOption) {
      if (i + 1 == args.size()) return Invalid("option '--audio-device' needs a device name");
      command.audioDevice = args[++i];
    } else if (arg.starts_with(kDeviceOption) && arg[kDeviceOption.size()] == '=') {
      command.audioDevice = arg.substr(kDeviceOption.size() + 1);
    } else if (arg.starts_with('-')) {
      return Invalid("unknown option '" + arg + "'");
    } else {
      return Invalid("unexpected argument '" + arg + "'");
    }
  }
  return command;
}

std::optional<int> AnswerCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err) {
  switch (command.action) {
    case CommandAction::Play:
      return std::nullopt;
    case CommandAction::Help:
      out << kUsage;
      return 0;
    case CommandAction::Version:
      out << "starbarrow " << kVersionMajor << '.' << kVersionMinor << '.' << kVersionRevision << '\n';
      return 0;
    case CommandAction::ListAudioDevices:
      return ListAudioOutputs(out, err);
    case CommandAction::Invalid:
      err << "starbarrow: " << command.error << "\nTry 'starbarrow --help' for the options.\n";
      return 2;
  }
  return 2;
}

}  // namespace sb
