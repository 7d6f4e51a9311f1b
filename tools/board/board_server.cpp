#include "board_server.h"

#include <cctype>
#include <ctime>

#include "board_page.h"
#include "board_text.h"
#include "request_framing.h"
#include "scoreboard/board_protocol.h"

namespace sb::board {

namespace {

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

std::string StandardReason(int status) {
  switch (status) {
    case 404: return "there is nothing here";
    case 413: return "the request body is larger than " + std::to_string(kMaxBody) + " bytes";
    default: return "the request could not be served";
  }
}

// What the gate saw of a request that did not arrive whole.
std::optional<Refusal> RefuseArrival(Arrival arrival, const RequestLimits& limits) {
  switch (arrival) {
    case Arrival::Whole: return std::nullopt;
    case Arrival::HeadTooLarge:
      return Refusal{431, "the request's head is larger than " + std::to_string(kMaxHeadBytes) + " bytes or has more than " +
                              std::to_string(kMaxHeaderFields) + " header fields"};
    case Arrival::TimedOut: {
      const auto ms = limits.deadline.count();
      return Refusal{408, "the request was not all sent within " +
                              (ms % 1000 ? std::to_string(ms) + " ms" : std::to_string(ms / 1000) + " seconds")};
    }
    case Arrival::Cut: return Refusal{400, "the request ended before its body did"};
  }
  return std::nullopt;
}

// A body the board would not read whole and as it is: chunked, compressed,
// of two lengths or too long.
std::optional<Refusal> RefuseBodyFraming(const httplib::Request& request) {
  if (request.has_header("Transfer-Encoding")) {
    return Refusal{411, "the board takes only bodies sent whole, with a Content-Length"};
  }
  if (request.has_header("Content-Encoding")) return Refusal{415, "the board takes only bodies that are not compressed"};
  const size_t lengths = request.get_header_value_count("Content-Length");
  if (lengths > 1) return Refusal{400, "the request gives its length more than once"};
  if (lengths == 0) return std::nullopt;
  const auto length = ReadLength(request.get_header_value("Content-Length"));
  if (!length) return Refusal{400, "the request's Content-Length is not a number"};
  if (*length > kMaxBody) return Refusal{413, StandardReason(413)};
  return std::nullopt;
}

bool IsEndpoint(const httplib::Request& request) {
  return request.method == "POST" && (request.path == kSubmitPath || request.path == kCodePath);
}

}  // namespace

BoardServer::BoardServer(BoardOptions options)
    : options_(std::move(options)),
      store_(options_.db),
      expectedAuthorization_(httplib::make_basic_authentication_header(kUser, kPassword).second),
      http_(options_.limits) {
  http_.set_payload_max_length(kMaxBody);
  http_.JudgeHeadsWith([this](const httplib::Request& q, httplib::Response& r) { return JudgeHead(q, r); });
  http_.Post(kSubmitPath, [this](const httplib::Request& q, httplib::Response& r) { Submit(q, r); });
  http_.Post(kCodePath, [this](const httplib::Request& q, httplib::Response& r) { AnswerCode(q, r); });
  http_.Get("/", [this](const httplib::Request&, httplib::Response& r) { ServePage(r); });
  http_.set_error_handler([this](const httplib::Request&, httplib::Response& r) {
    // The library's own refusal of a request it could not read: the gate knows why.
    if (r.status == 400 && r.body.empty()) {
      if (const auto refusal = RefuseArrival(BoardHttp::ThisArrival(), options_.limits)) {
        Answer(r, refusal->status, refusal->reason);
      }
    }
    if (r.body.empty()) r.set_content(StandardReason(r.status), kText);
  });
  http_.LogWith([this](const httplib::Request& q, const httplib::Response& r) { LogRequest(q, r); });
}

BoardServer::~BoardServer() { http_.stop(); }

int BoardServer::Bind(const std::string& address, int port) {
  if (port == 0) return http_.bind_to_any_port(address);
  return http_.bind_to_port(address, port) ? port : -1;
}

bool BoardServer::Run() { return http_.Serve(); }

httplib::Server::HandlerResponse BoardServer::JudgeHead(const httplib::Request& request,
                                                        httplib::Response& response) const {
  const Arrival arrival = BoardHttp::ThisArrival();
  std::optional<Refusal> refusal;
  if (arrival == Arrival::HeadTooLarge) refusal = RefuseArrival(arrival, options_.limits);
  if (!refusal) refusal = RefuseBodyFraming(request);
  if (!refusal && IsEndpoint(request) && request.get_header_value("Authorization") != expectedAuthorization_) {
    response.set_header("WWW-Authenticate", "Basic realm=\"Starbarrow score board\"");
    refusal = Refusal{401, "wrong user name or password"};
  }
  if (!refusal) refusal = RefuseArrival(arrival, options_.limits);  // a sound head whose body did not all come
  if (!refusal) return httplib::Server::HandlerResponse::Unhandled;
  Answer(response, refusal->status, refusal->reason);
  return httplib::Server::HandlerResponse::Handled;
}

void BoardServer::Submit(const httplib::Request& request, httplib::Response& response) {
  if (options_.observer) options_.observer(request);
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
  if (options_.observer) options_.observer(request);
  if (options_.fixedReply) return Answer(response, options_.fixedReply->status, options_.fixedReply->body);
  if (const auto refusal = ReadCodeRequest(request.body)) return Answer(response, refusal->status, refusal->reason);
  if (!options_.publicUrl.empty()) return Answer(response, 200, options_.publicUrl);
  const std::string host = request.get_header_value("Host");
  if (!PlainHost(host)) return Answer(response, 400, "the request names no host the board can be reached at");
  Answer(response, 200, "http://" + host + "/");
}

void BoardServer::ServePage(httplib::Response& response) {
  try {
    response.set_content(RenderBoardPage(store_.Best(options_.pageSize)), "text/html; charset=utf-8");
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
