#pragma once
// The board's connections, all watched by one thread that never waits on a
// client. It gathers each request's bytes up to the board's limits and within
// a deadline, hands the request to a worker only once it is all there (or can
// never be), and sends the worker's answer back without blocking. A slow or
// silent client costs a small buffer and a socket, never a worker. A head
// whose body lags behind is judged first, so a request refused on its head
// (its credentials, say) is answered before any of its body is waited for.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace sb::board {

struct RequestLimits {
  // A client has this long from connecting to send its whole request, head
  // and body, and as long again to take the answer.
  std::chrono::milliseconds deadline{10'000};
  // Connections held at once; a new one pushes out the one open longest
  // (never one whose request a worker is answering).
  size_t maxConnections = 256;
  // Threads answering whole requests; 0: one per core, at least two.
  unsigned workers = 0;
};

enum class Arrival {
  Whole,         // the request is all there
  HeadTooLarge,  // the head grew past the board's limits; what came is there
  TimedOut,      // the deadline passed first; what came is there
  Cut,           // the client stopped sending before the end; what came is there
};

struct ArrivedRequest {
  std::string bytes;
  Arrival arrival = Arrival::Whole;
  bool headOnly = false;  // the head alone, to be judged before its body is read
  std::string remoteAddress;
  int remotePort = -1;
  std::string localAddress;
  int localPort = -1;
};

class ConnectionGate {
 public:
  // Makes the whole answer to one request, as bytes to send; empty: send
  // nothing and close, or, for a head alone, go on to read its body.
  // Called on the worker threads.
  using Answer = std::function<std::string(const ArrivedRequest&)>;

  ConnectionGate(RequestLimits limits, Answer answer);
  ~ConnectionGate();
  ConnectionGate(const ConnectionGate&) = delete;
  ConnectionGate& operator=(const ConnectionGate&) = delete;

  // Starts the watching thread and the workers.
  void Start();
  // Takes over a connected socket; from any thread. After Stop it is closed.
  void Admit(int socket);
  // Drops the requests still arriving, lets the answers being made go out
  // (for a short while) and closes every connection.
  void Stop();

 private:
  struct Loop;
  std::unique_ptr<Loop> loop_;
};

}  // namespace sb::board
