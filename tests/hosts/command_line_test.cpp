// The `starbarrow` command line: what each option does, and the answers that
// end the program before it plays.

#include "hosts/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace sb {
namespace {

struct ParseCase {
  std::vector<std::string> args;
  CommandAction action;
  std::optional<std::string> device;
  std::string error;  // a part of the message
};

TEST(CommandLine, ParsesEachOption) {
  const std::vector<ParseCase> cases = {
      {{}, CommandAction::Play, std::nullopt, ""},
      {{"--help"}, CommandAction::Help, std::nullopt, ""},
      {{"-h"}, CommandAction::Help, std::nullopt, ""},
      {{"--version"}, CommandAction::Version, std::nullopt, ""},
      {{"--list-audio-devices"}, CommandAction::ListAudioDevices, std::nullopt, ""},
      {{"--audio-device", "USB Headset Analog Stereo"}, CommandAction::Play, "USB Headset Analog Stereo", ""},
      {{"--audio-device=hw:1,0"}, CommandAction::Play, "hw:1,0", ""},
      // An empty name asks for the default device, over the settings file.
      {{"--audio-device", ""}, CommandAction::Play, "", ""},
      {{"--audio-device", "--help"}, CommandAction::Play, "--help", ""},
      {{"--audio-device", "a", "--audio-device", "b"}, CommandAction::Play, "b", ""},
      // --help answers whatever follows it, but not what comes before it.
      {{"--help", "--no-such"}, CommandAction::Help, std::nullopt, ""},
      {{"--no-such", "--help"}, CommandAction::Invalid, std::nullopt, "unknown option '--no-such'"},
      {{"--audio-device"}, CommandAction::Invalid, std::nullopt, "needs a device name"},
      {{"--audio-devices=x"}, CommandAction::Invalid, std::nullopt, "unknown option '--audio-devices=x'"},
      {{"-x"}, CommandAction::Invalid, std::nullopt, "unknown option '-x'"},
      {{"game.sav"}, CommandAction::Invalid, std::nullopt, "unexpected argument 'game.sav'"},
  };
  for (const ParseCase& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += "[" + a + "] ";
    SCOPED_TRACE(line);
    const CommandLine command = ParseCommandLine(c.args);
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.audioDevice, c.device);
    EXPECT_NE(command.error.find(c.error), std::string::npos) << command.error;
  }
}

struct Answer {
  std::optional<int> code;
  std::string out;
  std::string err;
};

Answer AnswerFor(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const auto code = AnswerCommandLine(ParseCommandLine(args), out, err);
  return {code, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionAnswerOnStdoutAndExit) {
  const Answer help = AnswerFor({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: starbarrow")) << help.out;
  for (const char* option : {"--audio-device NAME", "--list-audio-devices", "--version", "audio_device"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  // The manual page is made from the help: its sections are these headings,
  // each alone on its line.
  for (const char* heading : {"\nOptions:\n", "\nEnvironment:\n", "\nFiles:\n", "\nKeys, as shipped"}) {
    EXPECT_NE(help.out.find(heading), std::string::npos) << heading;
  }
  for (const char* named : {"STARBARROW_BOARD_URL", "sbinfo.sbr", "settings.ini", "README.md"}) {
    EXPECT_NE(help.out.find(named), std::string::npos) << named;
  }
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  const Answer version = AnswerFor({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "starbarrow 2.1.5\n");
  EXPECT_EQ(help.err + version.err, "");
}

TEST(CommandLine, AnUnknownOptionIsAClearErrorWithCode2) {
  const Answer a = AnswerFor({"--fullscreen"});
  EXPECT_EQ(a.code, 2);
  EXPECT_EQ(a.out, "");
  EXPECT_EQ(a.err, "starbarrow: unknown option '--fullscreen'\nTry 'starbarrow --help' for the options.\n");
}

TEST(CommandLine, PlayingIsLeftToTheGame) {
  EXPECT_EQ(AnswerFor({}).code, std::nullopt);
  EXPECT_EQ(AnswerFor({"--audio-device", "x"}).code, std::nullopt);
}

// SDL's dummy sound driver has one device, the default, under SDL's own name.
TEST(CommandLine, ListsTheSoundDevices) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const Answer listed = AnswerFor({"--list-audio-devices"});
  EXPECT_EQ(listed.code, 0);
  EXPECT_EQ(listed.out, "System audio output device\n") << listed.err;

  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const Answer none = AnswerFor({"--list-audio-devices"});
  EXPECT_EQ(none.code, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_TRUE(none.err.starts_with("starbarrow: no sound: ")) << none.err;
}

}  // namespace
}  // namespace sb
