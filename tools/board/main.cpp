// starbarrow-board: a score board that a player community can run on any
// Linux machine. It keeps its scores in one SQLite file and serves the board
// page at "/".

#include <pthread.h>
#include <signal.h>

#include <charconv>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string_view>
#include <thread>

#include "board_server.h"

namespace {

constexpr const char* kUsage =
    "usage: starbarrow-board --port N --db FILE [--bind ADDRESS] [--public-url URL] [--page-size N]\n"
    "                        [--fixed-reply 'STATUS [TEXT]']\n"
    "  --port N          the TCP port to serve on; 0 takes any free port\n"
    "  --db FILE         the SQLite file that keeps the scores; created when missing\n"
    "  --bind ADDRESS    the address to listen on (default 127.0.0.1, this machine only;\n"
    "                    0.0.0.0 is every interface)\n"
    "  --public-url URL  the board page's address as players reach it; the game copies it\n"
    "                    (default http://<the host a request was sent to>/)\n"
    "  --page-size N     the players the board page lists, best first (default 100, at most 10000)\n"
    "  --fixed-reply 'STATUS [TEXT]'\n"
    "                    for testing clients: answer every request with this status and text\n"
    "                    (\\n, \\r and \\\\ allowed) and store nothing\n";

struct Arguments {
  sb::board::BoardOptions board;
  std::string bind = "127.0.0.1";
  int port = -1;
};

constexpr size_t kMaxPageSize = 10000;

// A whole number from `least` to `most`, digits only.
template <typename Number>
bool ReadNumber(std::string_view text, Number least, Number most, Number& out) {
  Number value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < least || value > most) return false;
  out = value;
  return true;
}

// Nothing when the command line is wrong; the reason is on stderr.
std::optional<Arguments> ReadArguments(int argc, char** argv) {
  Arguments a;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help" || flag == "-h") {
      std::cout << kUsage;
      std::exit(0);
    }
    if (i + 1 >= argc) {
      std::cerr << "starbarrow-board: " << flag << " needs a value\n" << kUsage;
      return std::nullopt;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (flag == "--port") {
      ok = ReadNumber(value, 0, 65535, a.port);
    } else if (flag == "--db") {
      a.board.db = value;
    } else if (flag == "--bind") {
      a.bind = value;
    } else if (flag == "--public-url") {
      a.board.publicUrl = value;
    } else if (flag == "--page-size") {
      ok = ReadNumber<size_t>(value, 1, kMaxPageSize, a.board.pageSize);
    } else if (flag == "--fixed-reply") {
      a.board.fixedReply = sb::ParseScriptedReply(value);
      ok = a.board.fixedReply.has_value();
    } else {
      std::cerr << "starbarrow-board: unknown option " << flag << '\n' << kUsage;
      return std::nullopt;
    }
    if (!ok) {
      std::cerr << "starbarrow-board: " << flag << ": cannot use \"" << value << "\"\n";
      return std::nullopt;
    }
  }
  if (a.port < 0 || a.board.db.empty()) {
    std::cerr << "starbarrow-board: --port and --db are needed\n" << kUsage;
    return std::nullopt;
  }
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  auto arguments = ReadArguments(argc, argv);
  if (!arguments) return 2;
  arguments->board.log = &std::cout;

  // Interrupt and terminate end the board cleanly; the serving threads never see them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    sb::board::BoardServer server(arguments->board);
    const int port = server.Bind(arguments->bind, arguments->port);
    if (port < 0) {
      std::cerr << "starbarrow-board: cannot listen on " << arguments->bind << " port " << arguments->port << ": "
                << std::strerror(errno) << '\n';
      return 1;
    }
    std::thread([&server, stopSignals] {
      int signal = 0;
      sigwait(&stopSignals, &signal);
      while (!server.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      server.Stop();
    }).detach();
    std::cout << "starbarrow-board: serving " << arguments->board.db.string() << " on " << arguments->bind << " port "
              << port << std::endl;
    return server.Run() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "starbarrow-board: " << e.what() << '\n';
    return 1;
  }
}
