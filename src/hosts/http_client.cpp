#include "hosts/http_client.h"

#include <curl/curl.h>

#include <mutex>

namespace sb {

namespace {

CURLM* Multi(void* multi) { return static_cast<CURLM*>(multi); }

}  // namespace

struct HttpClient::Transfer {
  explicit Transfer(const HttpRequest& r)
      : url(r.url), body(r.body), credentials(r.user + ":" + r.password), easy(curl_easy_init()) {}
  ~Transfer() {
    curl_easy_cleanup(easy);
    curl_slist_free_all(headers);
  }

  static size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* self = static_cast<Transfer*>(user);
    if (self->response.body.size() + size * count > kMaxReplyBytes) {
      self->tooLong = true;
      return 0;  // ends the transfer with a write error
    }
    self->response.body.append(data, size * count);
    return size * count;
  }

  // False when libcurl refused an option.
  bool Configure(const HttpRequest& r) {
    headers = curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded");
    bool ok = easy && headers;
    auto set = [&](CURLoption option, auto value) { ok = ok && curl_easy_setopt(easy, option, value) == CURLE_OK; };
    set(CURLOPT_URL, url.c_str());
    set(CURLOPT_PROTOCOLS_STR, "http,https");  // a board address may not name a file or anything else
    set(CURLOPT_POSTFIELDS, body.c_str());
    set(CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    set(CURLOPT_HTTPHEADER, headers);
    if (!r.user.empty()) {
      set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
      set(CURLOPT_USERPWD, credentials.c_str());
    }
    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(r.connectTimeoutMs));
    set(CURLOPT_TIMEOUT_MS, static_cast<long>(r.timeoutMs));
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_FORBID_REUSE, 1L);  // requests are minutes apart: no connection is left open
    set(CURLOPT_WRITEFUNCTION, &Transfer::Collect);
    set(CURLOPT_WRITEDATA, this);
    return ok;
  }

  void Finish(CURLcode rc) {
    if (rc == CURLE_OK) {
      response.reached = true;
      curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response.status);
      return;
    }
    response.body.clear();
    response.error = tooLong ? "the reply is longer than " + std::to_string(kMaxReplyBytes) + " bytes"
                             : curl_easy_strerror(rc);
  }

  std::string url, body, credentials;
  CURL* easy = nullptr;
  curl_slist* headers = nullptr;
  HttpResponse response;
  bool tooLong = false;
  bool added = false;  // handed to the multi handle; otherwise it failed to start
};

HttpClient::HttpClient() {
  static std::once_flag initialized;
  std::call_once(initialized, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  multi_ = curl_multi_init();
}

HttpClient::~HttpClient() {
  Abandon();
  curl_multi_cleanup(Multi(multi_));
}

void HttpClient::Abandon() {
  if (transfer_ && transfer_->added) curl_multi_remove_handle(Multi(multi_), transfer_->easy);
  transfer_.reset();
}

void HttpClient::Start(const HttpRequest& request) {
  Abandon();
  transfer_ = std::make_unique<Transfer>(request);
  if (!multi_ || !transfer_->Configure(request)) {
    transfer_->response.error = "the request could not be made";
    return;
  }
  transfer_->added = curl_multi_add_handle(Multi(multi_), transfer_->easy) == CURLM_OK;
  if (!transfer_->added) transfer_->response.error = "the request could not be started";
}

std::optional<HttpResponse> HttpClient::Poll(int waitMs) {
  if (!transfer_ || !transfer_->added) {
    HttpResponse failed = transfer_ ? transfer_->response : HttpResponse{false, 0, "", "no request was started"};
    transfer_.reset();
    return failed;
  }
  if (waitMs > 0) curl_multi_poll(Multi(multi_), nullptr, 0, waitMs, nullptr);
  int running = 0;
  if (const CURLMcode rc = curl_multi_perform(Multi(multi_), &running); rc != CURLM_OK) {
    HttpResponse failed{false, 0, "", curl_multi_strerror(rc)};
    Abandon();
    return failed;
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(Multi(multi_), &queued)) {
    if (message->msg != CURLMSG_DONE || message->easy_handle != transfer_->easy) continue;
    transfer_->Finish(message->data.result);
    HttpResponse response = std::move(transfer_->response);
    Abandon();
    return response;
  }
  return std::nullopt;
}

}  // namespace sb
