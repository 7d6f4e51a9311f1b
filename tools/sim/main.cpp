// starbarrow-sim: the whole program on the simulated host. The event log goes
// to stdout; see the README for its format.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "hosts/sim_host.h"

namespace {

constexpr const char* kUsage =
    "usage: starbarrow-sim [options]\n"
    "  --script FILE        timed input (FILE '-' reads stdin)\n"
    "  --lockstep           read the script from stdin as the clock needs it, printing\n"
    "                       '<ms> wait' whenever it needs more (see the README)\n"
    "  --seed N             time of day the random generator starts from (seconds)\n"
    "  --until MS           stop at this virtual time and print '<ms> end'\n"
    "  --passes-per-ms N    yields per virtual millisecond (default 10)\n"
    "  --home DIR           player folder (default: in memory)\n"
    "  --sound-tree DIR     real recordings (default: a virtual tree of 500 ms silences)\n"
    "  --length PATH=MS     length of one virtual recording\n"
    "  --missing PATH       make one virtual recording missing\n"
    "  --other-instance     behave as if another copy were running\n"
    "  --no-sound-device    behave as if there were no sound device\n"
    "  --joysticks N        game controllers attached from the start (default 0)\n"
    "  --http-reply 'STATUS [TEXT]'|none\n"
    "                       what the score board answers the next request (repeat for more);\n"
    "                       TEXT may hold \\n, \\r and \\\\; none: the board is not reached\n"
    "  --http-delay MS      virtual time a request takes (default 100)\n"
    "  --network            send requests over the network instead (libcurl)\n"
    "  --env NAME=VALUE     an environment variable the program sees\n"
    "  --setting APP/SECTION/KEY=VALUE\n"
    "                       a value in the settings store from the start\n"
    "  --login NAME         the account's login name (default 'player')\n"
    "  --game L:W:D         skip the menus: play level L (1-8), wave W (1-5) at difficulty D\n"
    "                       (1 easy, 2 medium, 3 hard, 4 insane)\n"
    "  --round R[:D]        skip the menus: start a fresh game with round R (sheep, meteor or boss)\n"
    "                       at difficulty D (default 1)\n";

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "starbarrow-sim: " << problem << "\n" << kUsage;
  std::exit(2);
}

// "NAME=VALUE" split at its first '='.
std::pair<std::string, std::string> Assignment(const std::string& option, const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0) Usage(option + " needs NAME=VALUE, not '" + text + "'");
  return {text.substr(0, eq), text.substr(eq + 1)};
}

long long Number(const std::string& option, const std::string& text) {
  try {
    size_t used = 0;
    const long long value = std::stoll(text, &used);
    if (used == text.size() && value >= 0) return value;
  } catch (const std::exception&) {
  }
  Usage(option + " needs a whole number, not '" + text + "'");
}

void ReadScript(sb::SimOptions& options, const std::string& file) {
  try {
    if (file == "-") {
      options.script = sb::ParseScript(std::cin);
      return;
    }
    std::ifstream in(file);
    if (!in) Usage("cannot read script " + file);
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
      options.seed = static_cast<uint32_t>(Number(arg, value()));
    } else if (arg == "--until") {
      options.untilMs = static_cast<int32_t>(Number(arg, value()));
    } else if (arg == "--passes-per-ms") {
      options.passesPerMs = static_cast<int>(Number(arg, value()));
    } else if (arg == "--home") {
      options.home = value();
    } else if (arg == "--sound-tree") {
      options.soundTree = value();
    } else if (arg == "--length") {
      const std::string v = value();
      const auto eq = v.rfind('=');
      if (eq == std::string::npos || eq == 0) Usage("--length needs PATH=MS");
      options.lengths[v.substr(0, eq)] = static_cast<int>(Number(arg, v.substr(eq + 1)));
    } else if (arg == "--missing") {
      options.missing.push_back(value());
    } else if (arg == "--other-instance") {
      options.otherInstanceRunning = true;
    } else if (arg == "--no-sound-device") {
      options.noSoundDevice = true;
    } else if (arg == "--joysticks") {
      options.joysticks = static_cast<int>(std::min<long long>(Number(arg, value()), 64));
    } else if (arg == "--http-reply") {
      const std::string v = value();
      const auto reply = sb::ParseScriptedReply(v);
      if (!reply && v != "none") Usage("--http-reply needs 'STATUS [TEXT]' or none, not '" + v + "'");
      options.httpReplies.push_back(reply);
    } else if (arg == "--http-delay") {
      options.httpDelayMs = static_cast<int>(std::min<long long>(Number(arg, value()), 3600000));
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
      if (!options.directGame) Usage("--game needs LEVEL:WAVE:DIFFICULTY (1-8:1-5:1-4), not '" + v + "'");
    } else if (arg == "--round") {
      const std::string v = value();
      options.directGame = sb::ParseDirectRound(v);
      if (!options.directGame) Usage("--round needs sheep, meteor or boss, with :DIFFICULTY (1-4) or without, not '" + v + "'");
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      Usage("unknown option " + arg);
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
