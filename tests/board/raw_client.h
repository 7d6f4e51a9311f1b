#pragma once
// A client that writes raw bytes to a board on 127.0.0.1, for requests no
// well-behaved client would send, and reads back whatever the board answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>

namespace sb::test {

class RawClient {
 public:
  explicit RawClient(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawClient() {
    if (fd_ >= 0) close(fd_);
  }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool Connected() const { return connected_; }

  // False once the board has closed the connection.
  bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }

  // True when the board has answered or closed the connection, waiting at most `wait`.
  bool BoardSpoke(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(wait.count())) != 0;
  }

  // Everything the board sends until it closes the connection, waiting at most `limit` in all.
  std::string ReadToEnd(std::chrono::seconds limit = std::chrono::seconds(20)) {
    std::string answer;
    const auto end = std::chrono::steady_clock::now() + limit;
    char chunk[4096];
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !BoardSpoke(left)) return answer;
      const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) return answer;
      answer.append(chunk, static_cast<size_t>(n));
    }
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

// The status of an answer's first line ("HTTP/1.1 411 Length Required"); 0 when there is none.
inline int StatusOf(const std::string& answer) {
  if (!answer.starts_with("HTTP/1.") || answer.size() < 12) return 0;
  return std::atoi(answer.substr(9, 3).c_str());
}

}  // namespace sb::test
