#include "hosts/http_client.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace sb {

namespace {

size_t Collect(char* data, size_t size, size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

}  // namespace

HttpResponse PostForm(const HttpRequest& request) {
  static std::once_flag initialized;
  std::call_once(initialized, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  HttpResponse response;
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    response.error = "could not start a request";
    return response;
  }
  CURL* h = curl.get();
  const std::string credentials = request.user + ":" + request.password;
  curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.c_str());
  curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
  if (!request.user.empty()) curl_easy_setopt(h, CURLOPT_USERPWD, credentials.c_str());
  curl_easy_setopt(h, CURLOPT_TIMEOUT, static_cast<long>(request.timeoutSeconds));
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &response.body);
  const CURLcode rc = curl_easy_perform(h);
  if (rc != CURLE_OK) {
    response.error = curl_easy_strerror(rc);
    response.body.clear();
    return response;
  }
  response.reached = true;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
  return response;
}

}  // namespace sb
