#include "hosts/command_line.h"

#include "hosts/audio_output.h"
#include "program/startup.h"

namespace sb {

namespace {

// The one description of the command, its keys, files and environment: the
// manual page, starbarrow(6), is made from it at build time by help2man, which
// reads "Options:", "Environment:" and "Files:" as the page's sections and a
// heading line ending in ':' as a subsection.
constexpr const char* kUsage =
    "Usage: starbarrow [OPTION]...\n"
    "Play Starbarrow, an audio-only arcade shooter for blind and sighted players:\n"
    "the ship, the aliens, every menu, score and number are heard, placed by\n"
    "stereo pan, volume and pitch. Nothing on the screen is needed to play.\n"
    "Run it without options to play.\n"
    "\n"
    "Keys, as shipped (the keyboard menu binds the actions to other keys):\n"
    "  Up, Down, Enter      walk a menu and choose an item; Escape goes back\n"
    "  Left, Right          move the ship\n"
    "  Left Ctrl            fire the laser\n"
    "  Left Alt             fire the side lasers\n"
    "  Space                launch a missile; the tractor beam in the sheep drop\n"
    "  Up                   raise a shield\n"
    "  Enter                set off a nuke\n"
    "  Tab                  release vapor\n"
    "  Left Shift           turbo\n"
    "  End, W, S            say the energy, the level and wave, the score\n"
    "  Down                 locate the ship\n"
    "  H                    say the high score\n"
    "  P                    pause, and resume\n"
    "  Q                    save the game and leave it\n"
    "  Escape               leave the game for the main menu\n"
    "  F1, F2, F3           background off, music, ambience\n"
    "  F4, F5, F6           background lowered, quieter, louder\n"
    "  F9                   hide or show what the window shows\n"
    "  F12                  cut short what is being said\n"
    "A game controller plays too: its stick and the buttons the joystick menus\n"
    "bind.\n"
    "\n"
    "Options:\n"
    "  --audio-device NAME    play through the sound device NAME, as\n"
    "                         --list-audio-devices names it; \"\" is the system's\n"
    "                         default device\n"
    "  --list-audio-devices   list the sound devices and exit\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "\n"
    "Without --audio-device, the device named by audio_device under\n"
    "[Starbarrow/Sound] in the settings file is used (the default device when that\n"
    "is not set); a device that cannot be opened gives way to the default one.\n"
    "\n"
    "Environment:\n"
    "  STARBARROW_BOARD_URL   the score board to post to, over the board_url setting;\n"
    "                         no board is set up until one of them names one\n"
    "  XDG_DATA_HOME          where the player's folder is (default ~/.local/share)\n"
    "  XDG_CONFIG_HOME        where the settings file is (default ~/.config)\n"
    "  SDL_AUDIODRIVER        the sound system to play through: pipewire,\n"
    "                         pulseaudio or alsa\n"
    "\n"
    "Files:\n"
    "  $XDG_DATA_HOME/starbarrow/sbinfo.sbr\n"
    "                         the player file: best score, saved game, sound and\n"
    "                         controller settings\n"
    "  $XDG_DATA_HOME/starbarrow/keymap.sbk\n"
    "                         the player's keys and buttons, copied from the one\n"
    "                         shipped on the first run\n"
    "  $XDG_CONFIG_HOME/starbarrow/settings.ini\n"
    "                         the settings file: the score board (board_url), the\n"
    "                         name scores go under (player_name), the sound device\n"
    "                         (audio_device), the window's view\n"
    "  README.md              the whole manual, in the program's folder and in\n"
    "                         /usr/share/doc/starbarrow when installed as a package\n";

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
