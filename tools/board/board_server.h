#pragma once
// The score board over HTTP: the game's two form-encoded POST requests and
// the board page. Every request to the two endpoints must carry the game's
// credentials, checked before its body is read; a score is answered
// "success" only once it is stored.

#include <httplib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "board_http.h"
#include "board_store.h"
#include "hosts/scripted_reply.h"

namespace sb::board {

struct BoardOptions {
  std::filesystem::path db;
  // What a board-code request answers: the public address of the board page.
  // Empty: "http://<the host the request was sent to>/".
  std::string publicUrl;
  // For testing clients: both endpoints answer this to every request with the
  // right credentials, and nothing is stored.
  std::optional<ScriptedReply> fixedReply;
  // The gamers the board page lists.
  size_t pageSize = 100;
  RequestLimits limits;
  // One line per request; none when null.
  std::ostream* log = nullptr;
  // Sees every request to the two endpoints that its head (size, encoding,
  // credentials) lets in, body included, before the body is judged.
  std::function<void(const httplib::Request&)> observer;
};

class BoardServer {
 public:
  // Opens the database; throws std::runtime_error when it cannot.
  explicit BoardServer(BoardOptions options);
  ~BoardServer();

  // Port 0 takes any free port. Returns the port bound, or -1.
  int Bind(const std::string& address, int port);
  // Serves until Stop; false when serving failed.
  bool Run();
  bool Running() const { return http_.is_running(); }
  void Stop() { http_.stop(); }
  BoardStore& Store() { return store_; }

 private:
  // Refuses, before the body is read, what the request's head alone shows the board will not take.
  httplib::Server::HandlerResponse JudgeHead(const httplib::Request& request, httplib::Response& response) const;
  void Submit(const httplib::Request& request, httplib::Response& response);
  void AnswerCode(const httplib::Request& request, httplib::Response& response) const;
  void ServePage(httplib::Response& response);
  void LogRequest(const httplib::Request& request, const httplib::Response& response);

  BoardOptions options_;
  BoardStore store_;
  std::string expectedAuthorization_;
  std::mutex logMutex_;
  BoardHttp http_;  // last: its workers use everything above until it is gone
};

}  // namespace sb::board
