// starbarrow-sim: the whole program on the simulated host. The event log goes
// to stdout; see the README for its format.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "hosts/sim_host.h"
#include "hosts/sim_script.h"
#include "platform/event_log.h"

namespace {

// What the numbers the options give may be.
constexpr int32_t kLastSeed = 24 * 60 * 60 - 1;      // a time of day in seconds
constexpr int32_t kMostPassesPerMs = 1000000;
constexpr int32_t kHourMs = 60 * 60 * 1000;          // the longest request, the longest recording
constexpr int32_t kMostJoysticks = 64;
constexpr int32_t kSlowestSpeechMsPerChar = 10000;
static_assert(sb::kLatestScriptMs == 2061083647 && kLastSeed == 86399 && kMostPassesPerMs == 1000000 &&
                  kHourMs == 3600000 && kMostJoysticks == 64 && kSlowestSpeechMsPerChar == 10000,
              "the usage below names these bounds");

constexpr const char* kUsage =
    "usage: starbarrow-sim [options]\n"
    "  --script FILE        timed input (FILE '-' reads stdin)\n"
    "  --lockstep           read the script from stdin as the clock needs it, printing\n"
    "                       '<ms> wait' whenever it needs more (see the README)\n"
    "  --seed N             time of day the random generator starts from (0-86399 seconds)\n"
    "  --until MS           stop at this virtual time (0-2061083647) and print '<ms> end'\n"
    "  --passes-per-ms N    yields per virtual millisecond (1-1000000, default 10)\n"
    "  --home DIR           player folder (default: in memory)\n"
    "  --sound-tree DIR     real recordings (default: a virtual tree of 500 ms silences)\n"
    "  --length PATH=MS     length of one virtual recording (0-3600000)\n"
    "  --missing PATH       make one virtual recording missing\n"
    "  --other-instance     behave as if another copy were running\n"
    "  --no-sound-device    behave as if there were no sound device\n"
    "  --joysticks N        game controllers attached from the start (0-64, default 0)\n"
    "  --http-reply 'STATUS [TEXT]'|none\n"
    "                       what the score board answers the next request (repeat for more);\n"
    "                       TEXT may hold \\n, \\r and \\\\; none: the board is not reached\n"
    "  --http-delay MS      virtual time a request takes (0-3600000, default 100)\n"
    "  --network            send requests over the network instead (libcurl)\n"
    "  --env NAME=VALUE     an environment variable the program sees\n"
    "  --setting APP/SECTION/KEY=VALUE\n"
    "                       a value in the settings store from the start\n"
    "  --login NAME         the account's login name (default 'player')\n"
    "  --game L:W:D         skip the menus: play level L (1-8), wave W (1-5) at difficulty D\n"
    "                       (1 easy, 2 medium, 3 hard, 4 insane)\n"
    "  --round R[:D]        skip the menus: start a fresh game with round R (sheep, meteor or boss)\n"
    "                       at difficulty D (default 1)\n"
    "  --speech-ms-per-char N\n"
    "                       the player's own voice speaks each character of its words in N ms\n"
    "                       (1-10000, default 60)\n"
    "  --no-speech-dispatcher\n"
    "                       behave as if the player's own voice could not be had\n";

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "starbarrow-sim: " << problem << "\n" << kUsage;
  std::exit(2);
}

// Text from the command line or a file, quoted in a message: control bytes
// are shown as the event log shows them, so none can end the message early or
// act on the terminal.
std::string Quoted(const std::string& text) { return "'" + sb::LogText(text) + "'"; }

// "NAME=VALUE" split at its first '='.
std::pair<std::string, std::string> Assignment(const std::string& option, const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0) Usage(option + " needs NAME=VALUE, not " + Quoted(text));
  return {text.substr(0, eq), text.substr(eq + 1)};
}

// A whole number from low to high, or the usage and exit status 2.
int32_t Number(const std::string& option, const std::string& text, int32_t low, int32_t high) {
  if (const auto value = sb::WholeNumber(text, low, high)) return *value;
  Usage(option + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ", not " +
        Quoted(text));
}

void ReadScript(sb::SimOptions& options, const std::string& file) {
  try {
    if (file == "-") {
      options.script = sb::ParseScript(std::cin);
      return;
    }
    std::ifstream in(file);
    if (!in) Usage("cannot read script " + Quoted(file));
    options.script = sb::ParseScript(in);
  } catch (const std::invalid_argument& e) {
    Usage(e.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  sb::SimOptions options;
  bool hasScript = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--script") {
      ReadScript(options, value());
      hasScript = true;
    } else if (arg == "--lockstep") {
      options.lockstep = &std::cin;
    } else if (arg == "--seed") {
      options.seed = static_cast<uint32_t>(Number(arg, value(), 0, kLastSeed));
    } else if (arg == "--until") {
      options.untilMs = Number(arg, value(), 0, sb::kLatestScriptMs);
    } else if (arg == "--passes-per-ms") {
      options.passesPerMs = Number(arg, value(), 1, kMostPassesPerMs);
    } else if (arg == "--home") {
      options.home = value();
    } else if (arg == "--sound-tree") {
      options.soundTree = value();
    } else if (arg == "--length") {
      const std::string v = value();
      const auto eq = v.rfind('=');
      if (eq == std::string::npos || eq == 0) Usage("--length needs PATH=MS, not " + Quoted(v));
      options.lengths[v.substr(0, eq)] = Number(arg, v.substr(eq + 1), 0, kHourMs);
    } else if (arg == "--missing") {
      options.missing.push_back(value());
    } else if (arg == "--other-instance") {
      options.otherInstanceRunning = true;
    } else if (arg == "--no-sound-device") {
      options.noSoundDevice = true;
    } else if (arg == "--joysticks") {
      options.joysticks = Number(arg, value(), 0, kMostJoysticks);
    } else if (arg == "--http-reply") {
      const std::string v = value();
      const auto reply = sb::ParseScriptedReply(v);
      if (!reply && v != "none") Usage("--http-reply needs 'STATUS [TEXT]' or none, not " + Quoted(v));
      options.httpReplies.push_back(reply);
    } else if (arg == "--http-delay") {
      options.httpDelayMs = Number(arg, value(), 0, kHourMs);
    } else if (arg == "--network") {
      options.network = true;
    } else if (arg == "--env") {
      const auto [name, v] = Assignment(arg, value());
      options.environment[name] = v;
    } else if (arg == "--setting") {
      const auto [key, v] = Assignment(arg, value());
      if (std::count(key.begin(), key.end(), '/') != 2) Usage("--setting needs APP/SECTION/KEY=VALUE");
      options.settings[key] = v;
    } else if (arg == "--login") {
      options.loginName = value();
    } else if (arg == "--game") {
      const std::string v = value();
      options.directGame = sb::ParseDirectGame(v);
      if (!options.directGame) Usage("--game needs LEVEL:WAVE:DIFFICULTY (1-8:1-5:1-4), not " + Quoted(v));
    } else if (arg == "--round") {
      const std::string v = value();
      options.directGame = sb::ParseDirectRound(v);
      if (!options.directGame) Usage("--round needs sheep, meteor or boss, with :DIFFICULTY (1-4) or without, not " + Quoted(v));
    } else if (arg == "--speech-ms-per-char") {
      options.speechMsPerChar = Number(arg, value(), 1, kSlowestSpeechMsPerChar);
    } else if (arg == "--no-speech-dispatcher") {
      options.noSpeechService = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      Usage("unknown option " + Quoted(arg));
    }
  }
  if (hasScript && options.lockstep) Usage("--script and --lockstep both give the input; choose one");
  std::cout.sync_with_stdio(false);
  const sb::SimResult result = sb::RunSimulation(options, &std::cout);
  std::cout.flush();
  if (result.scriptError) {
    std::cerr << "starbarrow-sim: " << *result.scriptError << '\n';
    return 2;
  }
  return result.exitCode;
}
