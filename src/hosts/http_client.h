#pragma once
// Form-encoded POST requests over libcurl that never block the caller: Start
// hands the request to libcurl and returns, Poll moves it on and gives the
// response once it is done. Name lookups run on libcurl's own thread.

#include <memory>
#include <optional>

#include "platform/host.h"

namespace sb {

// A reply longer than this is refused: no board has a reason to send one.
constexpr size_t kMaxReplyBytes = 64 * 1024;

class HttpClient {
 public:
  HttpClient();
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Abandons the request still running, if any.
  void Start(const HttpRequest& request);
  // Waits up to waitMs for the network, then: the response when the request
  // has finished, nothing while it runs; without a request, one not reached.
  std::optional<HttpResponse> Poll(int waitMs = 0);

 private:
  struct Transfer;
  void Abandon();

  void* multi_ = nullptr;  // CURLM
  std::unique_ptr<Transfer> transfer_;
};

}  // namespace sb
