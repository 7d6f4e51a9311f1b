#include "scoreboard/board_requests.h"

#include <cstdio>

#include "game/game.h"
#include "scoreboard/board_code.h"
#include "scoreboard/board_protocol.h"
#include "scoreboard/board_settings.h"

namespace sb {

namespace {

constexpr int kConnectTimeoutMs = 10000;
constexpr int kTotalTimeoutMs = 30000;

std::string DateText(Game& game) {
  const CalendarTime t = game.host.LocalTime();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

// Sends one request to the board and lets the machine's events run until it is answered.
HttpResponse Ask(Game& game, const char* path, const std::string& body) {
  HttpRequest request;
  request.url = BoardUrl(game);
  if (request.url.empty()) {
    // With no board set up nothing is sent: a bare path is no address.
    HttpResponse none;
    none.error = "no score board is set up";
    return none;
  }
  request.url += path;
  request.body = body;
  request.user = board::kUser;
  request.password = board::kPassword;
  request.connectTimeoutMs = kConnectTimeoutMs;
  request.timeoutMs = kTotalTimeoutMs;
  game.host.StartHttpPost(request);
  for (;;) {
    if (auto response = game.host.PollHttpPost()) return *response;
    game.host.Yield();
  }
}

}  // namespace

std::string FormValue(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (plain || c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

bool SubmitHighScore(Game& game, const std::string& name, int32_t score) {
  const std::string body = std::string("boardtitle=") + FormValue(board::kBoardTitle) + "&gamer=" + FormValue(name) +
                           "&score=" + std::to_string(score) + "&date=" + FormValue(DateText(game)) + "\r\n";
  const HttpResponse response = Ask(game, board::kSubmitPath, body);
  return response.reached && response.status == 200 && response.body == board::kSubmitReply;
}

std::string RequestBoardCode(Game& game) {
  const HttpResponse response =
      Ask(game, board::kCodePath, std::string("id=") + FormValue(board::kBoardTitle) + "\r\n");
  if (!response.reached || response.status != 200) return {};
  return BoardAddress(response.body).value_or("");
}

bool CopyBoardCode(Game& game) {
  game.host.SetClipboard("");
  game.host.SetClipboard(RequestBoardCode(game));
  return !game.host.Clipboard().empty();
}

}  // namespace sb
