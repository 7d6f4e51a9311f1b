#include "board_http.h"

#include <algorithm>
#include <cstring>

namespace sb::board {

namespace {

// What this worker thread is answering: set for the length of one answer.
thread_local Arrival tArrival = Arrival::Whole;
thread_local bool tHeadOnly = false;
thread_local bool tLetThrough = false;  // the head alone passed its judge

// The library's read side is the request the gate gathered; its write side
// collects the answer for the gate to send.
class HeldStream final : public httplib::Stream {
 public:
  explicit HeldStream(const ArrivedRequest& request) : request_(request) {}

  bool is_readable() const override { return read_ < request_.bytes.size(); }
  bool is_writable() const override { return true; }
  ssize_t read(char* ptr, size_t size) override {
    const size_t n = std::min(size, request_.bytes.size() - read_);
    std::memcpy(ptr, request_.bytes.data() + read_, n);
    read_ += n;
    return static_cast<ssize_t>(n);
  }
  ssize_t write(const char* ptr, size_t size) override {
    written_.append(ptr, size);
    return static_cast<ssize_t>(size);
  }
  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    ip = request_.remoteAddress;
    port = request_.remotePort;
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    ip = request_.localAddress;
    port = request_.localPort;
  }
  socket_t socket() const override { return INVALID_SOCKET; }

  std::string& Written() { return written_; }

 private:
  const ArrivedRequest& request_;
  size_t read_ = 0;
  std::string written_;
};

// The library's listening loop hands each accepted socket to a queue; the
// gate is that queue, so the hand-over runs at once.
class HandOverAtOnce final : public httplib::TaskQueue {
 public:
  void enqueue(std::function<void()> fn) override { fn(); }
  void shutdown() override {}
};

}  // namespace

BoardHttp::BoardHttp(RequestLimits limits)
    : gate_(limits, [this](const ArrivedRequest& request) { return Answer(request); }) {
  new_task_queue = [] { return new HandOverAtOnce; };
}

BoardHttp::~BoardHttp() {
  stop();
  gate_.Stop();
}

bool BoardHttp::Serve() {
  gate_.Start();
  const bool served = listen_after_bind();
  gate_.Stop();
  return served;
}

void BoardHttp::JudgeHeadsWith(HandlerWithResponse judge) {
  set_pre_routing_handler([judge = std::move(judge)](const httplib::Request& q, httplib::Response& r) {
    if (judge(q, r) == HandlerResponse::Handled) return HandlerResponse::Handled;
    if (!tHeadOnly) return HandlerResponse::Unhandled;
    tLetThrough = true;  // nothing is answered yet: the gate goes on to read the body
    r.status = 100;
    return HandlerResponse::Handled;
  });
}

void BoardHttp::LogWith(httplib::Logger log) {
  set_logger([log = std::move(log)](const httplib::Request& q, const httplib::Response& r) {
    if (!tLetThrough) log(q, r);
  });
}

Arrival BoardHttp::ThisArrival() { return tArrival; }

bool BoardHttp::process_and_close_socket(socket_t sock) {
  gate_.Admit(sock);
  return true;
}

std::string BoardHttp::Answer(const ArrivedRequest& request) {
  HeldStream stream(request);
  bool closed = false;
  tArrival = request.arrival;
  tHeadOnly = request.headOnly;
  tLetThrough = false;
  process_request(stream, /*close_connection=*/true, closed, nullptr);
  const bool letThrough = tLetThrough;
  tArrival = Arrival::Whole;
  tHeadOnly = tLetThrough = false;
  return letThrough ? std::string() : std::move(stream.Written());
}

}  // namespace sb::board
