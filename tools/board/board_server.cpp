#include "board_server.h"

#include <cctype>
#include <ctime>

#include "board_page.h"
#include "scoreboard/board_protocol.h"

namespace sb::board {

namespace {

constexpr size_t kMaxBody = 4096;
constexpr const char* kText = "text/plain; charset=utf-8";

void Answer(httplib::Response& response, int status, const std::string& text) {
  response.status = status;
  response.set_content(text, kText);
}

std::string NowUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
  return text;
}

// A Host header fit to be read back as part of an address: a name or an IP, maybe a port.
bool PlainHost(const std::string& host) {
  if (host.empty() || host.size() > 255) return false;
  for (const char c : host) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && std::string_view(".-:[]").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

// Keeps one request on one log line whatever the client sent.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

std::string StandardReason(int status) {
  switch (status) {
    case 404: return "there is nothing here";
    case 413: return "the request body is larger than " + std::to_string(kMaxBody) + " bytes";
    default: return "the request could not be served";
  }
}

}  // namespace

BoardServer::BoardServer(BoardOptions options)
    : options_(std::move(options)),
      store_(options_.db),
      expectedAuthorization_(httplib::make_basic_authentication_header(kUser, kPassword).second) {
  http_.set_payload_max_length(kMaxBody);
  http_.Post(kSubmitPath, [this](const httplib::Request& q, httplib::Response& r) { Submit(q, r); });
  http_.Post(kCodePath, [this](const httplib::Request& q, httplib::Response& r) { AnswerCode(q, r); });
  http_.Get("/", [this](const httplib::Request&, httplib::Response& r) { ServePage(r); });
  http_.set_error_handler([](const httplib::Request&, httplib::Response& r) {
    if (r.body.empty()) r.set_content(StandardReason(r.status), kText);
  });
  http_.set_logger([this](const httplib::Request& q, const httplib::Response& r) { LogRequest(q, r); });
}

BoardServer::~BoardServer() { http_.stop(); }

int BoardServer::Bind(const std::string& address, int port) {
  if (port == 0) return http_.bind_to_any_port(address);
  return http_.bind_to_port(address, port) ? port : -1;
}

bool BoardServer::Run() { return http_.listen_after_bind(); }

bool BoardServer::Admit(const httplib::Request& request, httplib::Response& response) const {
  if (options_.observer) options_.observer(request);
  if (request.get_header_value("Authorization") == expectedAuthorization_) return true;
  response.set_header("WWW-Authenticate", "Basic realm=\"Starbarrow score board\"");
  Answer(response, 401, "wrong user name or password");
  return false;
}

void BoardServer::Submit(const httplib::Request& request, httplib::Response& response) {
  if (!Admit(request, response)) return;
  if (options_.fixedReply) return Answer(response, options_.fixedReply->status, options_.fixedReply->body);
  Submission submission;
  if (const auto refusal = ReadSubmission(request.body, submission)) {
    return Answer(response, refusal->status, refusal->reason);
  }
  try {
    store_.Add(submission, NowUtc());
  } catch (const std::exception& e) {
    return Answer(response, 500, std::string("the score could not be stored: ") + e.what());
  }
  Answer(response, 200, kSubmitReply);
}

void BoardServer::AnswerCode(const httplib::Request& request, httplib::Response& response) const {
  if (!Admit(request, response)) return;
  if (options_.fixedReply) return Answer(response, options_.fixedReply->status, options_.fixedReply->body);
  if (const auto refusal = ReadCodeRequest(request.body)) return Answer(response, refusal->status, refusal->reason);
  if (!options_.publicUrl.empty()) return Answer(response, 200, options_.publicUrl);
  const std::string host = request.get_header_value("Host");
  if (!PlainHost(host)) return Answer(response, 400, "the request names no host the board can be reached at");
  Answer(response, 200, "http://" + host + "/");
}

void BoardServer::ServePage(httplib::Response& response) {
  try {
    response.set_content(RenderBoardPage(store_.Best()), "text/html; charset=utf-8");
  } catch (const std::exception& e) {
    Answer(response, 500, std::string("the board could not be read: ") + e.what());
  }
}

void BoardServer::LogRequest(const httplib::Request& request, const httplib::Response& response) {
  if (!options_.log) return;
  std::lock_guard lock(logMutex_);
  *options_.log << NowUtc() << ' ' << request.remote_addr << ' ' << Printable(request.method) << ' '
                << Printable(request.path) << ' ' << response.status;
  if (response.status >= 400) *options_.log << ' ' << Printable(response.body);
  *options_.log << std::endl;
}

}  // namespace sb::board
