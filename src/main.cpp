// Starbarrow: answers its command line, or builds the real host and hands
// over to start-up.

#include <iostream>
#include <string>
#include <vector>

#include "hosts/command_line.h"
#include "hosts/sdl_host.h"
#include "program/startup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const sb::CommandLine command = sb::ParseCommandLine(args);
  if (const auto code = sb::AnswerCommandLine(command, std::cout, std::cerr)) return *code;
  sb::SdlHostOptions options = sb::DefaultSdlHostOptions();
  options.audioDevice = command.audioDevice;
  sb::SdlHost host(std::move(options));
  return sb::RunProgram(host);
}
