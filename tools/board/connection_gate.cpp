#include "connection_gate.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <httplib.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_map>
#include <vector>

#include "request_framing.h"

namespace sb::board {

namespace {

using Clock = std::chrono::steady_clock;

// How long stopping waits for the answers being made to go out.
constexpr std::chrono::seconds kStopGrace{2};
// After its answer a connection still reads what the client sends, for this
// long or this much, so that closing it does not reset the answer away.
constexpr std::chrono::seconds kLinger{2};
constexpr size_t kLingerBytes = 1 << 20;
constexpr size_t kChunk = 4096;
// Reads on one connection before the others get their turn.
constexpr int kReadsPerTurn = 16;
constexpr uint64_t kWakeId = 0;

enum class Phase {
  Reading,    // gathering the request
  Answering,  // with a worker (the whole request, or its head alone); no deadline, never closed
  Sending,    // the answer going out
  Closing,    // answered; reading what still comes until the client closes
};

struct Connection {
  int fd = -1;
  Phase phase = Phase::Reading;
  Clock::time_point opened;
  Clock::time_point deadline;
  ArrivedRequest request;
  bool judgingHead = false;
  bool headJudged = false;
  std::string answer;
  size_t done = 0;  // bytes of the answer sent, or bytes read while closing
};

void Describe(const sockaddr_storage& end, std::string& address, int& port) {
  char text[INET6_ADDRSTRLEN] = "";
  if (end.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(end);
    inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
    port = ntohs(v4.sin_port);
  } else if (end.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(end);
    inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    port = ntohs(v6.sin6_port);
  }
  address = text;
}

void ReadAddresses(int fd, ArrivedRequest& request) {
  sockaddr_storage end{};
  socklen_t size = sizeof end;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&end), &size) == 0) {
    Describe(end, request.remoteAddress, request.remotePort);
  }
  size = sizeof end;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&end), &size) == 0) {
    Describe(end, request.localAddress, request.localPort);
  }
}

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }

}  // namespace

struct ConnectionGate::Loop {
  Loop(RequestLimits l, Answer a) : limits(l), answer(std::move(a)) {
    epoll = epoll_create1(EPOLL_CLOEXEC);
    wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epoll < 0 || wake < 0 || !Watch(EPOLL_CTL_ADD, kWakeId, wake, EPOLLIN)) {
      CloseFds();
      throw std::runtime_error("cannot set up the board's connections");
    }
  }
  ~Loop() { CloseFds(); }

  void CloseFds() {
    for (auto& [id, c] : connections) close(c.fd);
    connections.clear();
    for (const int fd : admitted) close(fd);
    admitted.clear();
    if (wake >= 0) close(wake);
    if (epoll >= 0) close(epoll);
  }

  bool Watch(int operation, uint64_t id, int fd, uint32_t events) {
    epoll_event event{};
    event.events = events;
    event.data.u64 = id;
    return epoll_ctl(epoll, operation, fd, &event) == 0;
  }

  void Wake() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wake, &one, sizeof one);
  }

  void Run() {
    epoll_event events[64];
    for (;;) {
      TakeInbox();
      Expire();
      if (Finished()) break;
      const int count = epoll_wait(epoll, events, 64, WaitMs());
      for (int i = 0; i < count; ++i) {
        const uint64_t id = events[i].data.u64;
        if (id == kWakeId) {
          uint64_t ignored;
          [[maybe_unused]] const ssize_t read = ::read(wake, &ignored, sizeof ignored);
          continue;
        }
        const auto it = connections.find(id);
        if (it == connections.end()) continue;  // closed earlier in this turn
        switch (it->second.phase) {
          case Phase::Reading: Read(id, it->second); break;
          case Phase::Sending: Send(id, it->second); break;
          case Phase::Closing: Drain(id, it->second); break;
          case Phase::Answering: break;
        }
      }
    }
    for (auto& [id, c] : connections) close(c.fd);
    connections.clear();
  }

  void TakeInbox() {
    std::vector<int> opened;
    std::vector<std::pair<uint64_t, std::string>> answers;
    bool stop;
    {
      std::lock_guard lock(mutex);
      opened.swap(admitted);
      answers.swap(answered);
      stop = stopping;
    }
    if (stop && !stopBy) BeginStopping();
    for (const int fd : opened) Open(fd);
    for (auto& [id, text] : answers) Answered(id, std::move(text));
  }

  void BeginStopping() {
    stopBy = Clock::now() + kStopGrace;
    std::vector<uint64_t> dropped;
    for (const auto& [id, c] : connections) {
      if (c.phase == Phase::Reading || c.phase == Phase::Closing) dropped.push_back(id);
    }
    for (const uint64_t id : dropped) Close(id);
  }

  bool Finished() const {
    if (!stopBy) return false;
    return Clock::now() >= *stopBy || std::none_of(connections.begin(), connections.end(), [](const auto& entry) {
             return entry.second.phase == Phase::Answering || entry.second.phase == Phase::Sending;
           });
  }

  int WaitMs() const {
    const auto now = Clock::now();
    auto until = now + std::chrono::seconds(1);
    if (stopBy) until = std::min(until, *stopBy);
    for (const auto& [id, c] : connections) {
      if (c.phase != Phase::Answering) until = std::min(until, c.deadline);
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
    return static_cast<int>(std::max<decltype(wait)>(wait, 0));
  }

  void Expire() {
    const auto now = Clock::now();
    std::vector<uint64_t> due;
    for (const auto& [id, c] : connections) {
      if (c.phase != Phase::Answering && c.deadline <= now) due.push_back(id);
    }
    for (const uint64_t id : due) {
      Connection& c = connections.at(id);
      if (c.phase == Phase::Reading && !c.request.bytes.empty()) {
        HandOver(id, c, Arrival::TimedOut);
      } else {
        Close(id);
      }
    }
  }

  void Open(int fd) {
    if (stopBy || (connections.size() >= limits.maxConnections && !MakeRoom())) {
      close(fd);
      return;
    }
    const int flags = fcntl(fd, F_GETFL);
    const uint64_t id = nextId++;
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0 || !Watch(EPOLL_CTL_ADD, id, fd, EPOLLIN)) {
      close(fd);
      return;
    }
    Connection c;
    c.fd = fd;
    c.opened = Clock::now();
    c.deadline = c.opened + limits.deadline;
    ReadAddresses(fd, c.request);
    connections.emplace(id, std::move(c));
  }

  // Closes the connection open longest that no worker holds.
  bool MakeRoom() {
    auto oldest = connections.end();
    for (auto it = connections.begin(); it != connections.end(); ++it) {
      if (it->second.phase != Phase::Answering && (oldest == connections.end() || it->second.opened < oldest->second.opened)) {
        oldest = it;
      }
    }
    if (oldest == connections.end()) return false;
    Close(oldest->first);
    return true;
  }

  void Read(uint64_t id, Connection& c) {
    char chunk[kChunk];
    for (int turn = 0; turn < kReadsPerTurn; ++turn) {
      const ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
      if (n > 0) {
        c.request.bytes.append(chunk, static_cast<size_t>(n));
        const Frame frame = FrameRequest(c.request.bytes);
        if (frame.framing == Framing::Whole) {
          c.request.bytes.resize(frame.size);
          return HandOver(id, c, Arrival::Whole);
        }
        if (frame.framing == Framing::HeadTooLarge) return HandOver(id, c, Arrival::HeadTooLarge);
        if (frame.head > 0 && !c.headJudged) return JudgeHead(id, c, frame.head);
      } else if (n == 0) {
        return c.request.bytes.empty() ? Close(id) : HandOver(id, c, Arrival::Cut);
      } else if (errno != EINTR) {
        if (!WouldBlock()) Close(id);
        return;
      }
    }
  }

  void HandOver(uint64_t id, Connection& c, Arrival arrival) {
    c.request.arrival = arrival;
    Enqueue(id, c, std::move(c.request));
  }

  // A head whose body is still to come: a worker judges it first.
  void JudgeHead(uint64_t id, Connection& c, size_t headSize) {
    ArrivedRequest head = c.request;
    head.bytes.resize(headSize);
    head.headOnly = true;
    c.headJudged = true;
    c.judgingHead = true;
    Enqueue(id, c, std::move(head));
  }

  void Enqueue(uint64_t id, Connection& c, ArrivedRequest request) {
    Watch(EPOLL_CTL_DEL, id, c.fd, 0);
    c.phase = Phase::Answering;
    workers->enqueue([this, id, request = std::move(request)] {
      std::string text;
      try {
        text = answer(request);
      } catch (...) {
        text.clear();  // closed without an answer
      }
      {
        std::lock_guard lock(mutex);
        answered.emplace_back(id, std::move(text));
      }
      Wake();
    });
  }

  void Answered(uint64_t id, std::string text) {
    const auto it = connections.find(id);
    if (it == connections.end()) return;
    Connection& c = it->second;
    if (c.judgingHead && text.empty() && !stopBy) {  // the head passed: on to its body
      c.judgingHead = false;
      c.phase = Phase::Reading;
      if (!Watch(EPOLL_CTL_ADD, id, c.fd, EPOLLIN)) Close(id);
      return;
    }
    if (text.empty() || !Watch(EPOLL_CTL_ADD, id, c.fd, EPOLLOUT)) return Close(id);
    c.phase = Phase::Sending;
    c.answer = std::move(text);
    c.done = 0;
    c.deadline = Clock::now() + limits.deadline;
    Send(id, c);
  }

  void Send(uint64_t id, Connection& c) {
    while (c.done < c.answer.size()) {
      const ssize_t n = send(c.fd, c.answer.data() + c.done, c.answer.size() - c.done, MSG_NOSIGNAL);
      if (n > 0) {
        c.done += static_cast<size_t>(n);
      } else if (n < 0 && WouldBlock()) {
        return;
      } else if (n == 0 || errno != EINTR) {
        return Close(id);
      }
    }
    shutdown(c.fd, SHUT_WR);
    std::string().swap(c.answer);
    c.phase = Phase::Closing;
    c.done = 0;
    c.deadline = Clock::now() + kLinger;
    if (!Watch(EPOLL_CTL_MOD, id, c.fd, EPOLLIN)) Close(id);
  }

  void Drain(uint64_t id, Connection& c) {
    char chunk[kChunk];
    for (int turn = 0; turn < kReadsPerTurn; ++turn) {
      const ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
      if (n > 0) {
        c.done += static_cast<size_t>(n);
        if (c.done > kLingerBytes) return Close(id);
      } else if (n == 0 || (errno != EINTR && !WouldBlock())) {
        return Close(id);
      } else if (WouldBlock()) {
        return;
      }
    }
  }

  void Close(uint64_t id) {
    const auto it = connections.find(id);
    if (it == connections.end()) return;
    close(it->second.fd);  // leaves the epoll set with it
    connections.erase(it);
  }

  RequestLimits limits;
  Answer answer;
  int epoll = -1;
  int wake = -1;
  std::thread thread;
  std::unique_ptr<httplib::ThreadPool> workers;
  std::unordered_map<uint64_t, Connection> connections;  // the watching thread's own
  uint64_t nextId = kWakeId + 1;
  std::optional<Clock::time_point> stopBy;

  std::mutex mutex;  // guards what other threads hand the watching thread
  std::vector<int> admitted;
  std::vector<std::pair<uint64_t, std::string>> answered;
  bool stopping = false;
  bool stopped = false;
};

ConnectionGate::ConnectionGate(RequestLimits limits, Answer answer)
    : loop_(std::make_unique<Loop>(limits, std::move(answer))) {}

ConnectionGate::~ConnectionGate() { Stop(); }

void ConnectionGate::Start() {
  const unsigned cores = std::thread::hardware_concurrency();
  const unsigned workers = loop_->limits.workers ? loop_->limits.workers : std::max(2u, cores);
  loop_->workers = std::make_unique<httplib::ThreadPool>(workers);
  loop_->thread = std::thread([loop = loop_.get()] { loop->Run(); });
}

void ConnectionGate::Admit(int socket) {
  {
    std::lock_guard lock(loop_->mutex);
    if (!loop_->stopped) {
      loop_->admitted.push_back(socket);
      socket = -1;
    }
  }
  if (socket >= 0) close(socket);
  loop_->Wake();
}

void ConnectionGate::Stop() {
  {
    std::lock_guard lock(loop_->mutex);
    if (loop_->stopped) return;
    loop_->stopping = true;
  }
  loop_->Wake();
  if (loop_->thread.joinable()) loop_->thread.join();
  if (loop_->workers) loop_->workers->shutdown();
  std::lock_guard lock(loop_->mutex);
  loop_->stopped = true;
  for (const int fd : loop_->admitted) close(fd);
  loop_->admitted.clear();
  loop_->answered.clear();
}

}  // namespace sb::board
