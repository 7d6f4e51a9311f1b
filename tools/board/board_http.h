#pragma once
// cpp-httplib's parsing and routing behind the board's connection gate: the
// library sees a request only once the gate holds all of it, reads it from
// memory and writes its answer to memory, so no handler and no parser ever
// waits on a client. One request per connection.

#include <httplib.h>

#include "connection_gate.h"

namespace sb::board {

class BoardHttp : public httplib::Server {
 public:
  explicit BoardHttp(RequestLimits limits);
  ~BoardHttp() override;

  // What may be refused from a request's head alone, before its body is
  // read: Handled refuses with the response `judge` made.
  void JudgeHeadsWith(HandlerWithResponse judge);
  // One call per answered request (a head let through to its body is not one).
  void LogWith(httplib::Logger log);

  // Serves until stop(); false when listening failed.
  bool Serve();
  // How the request this thread is answering arrived; Whole outside an answer.
  static Arrival ThisArrival();

 private:
  // The library hands every accepted socket here (on its listening thread).
  bool process_and_close_socket(socket_t sock) override;
  std::string Answer(const ArrivedRequest& request);

  ConnectionGate gate_;
};

}  // namespace sb::board
