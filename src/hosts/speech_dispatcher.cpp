#include "hosts/speech_dispatcher.h"

#include <libspeechd.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace sb {

namespace {

// libspeechd's callbacks carry no pointer of ours, only the client's number:
// each open connection is found by it.
std::mutex connectionsMutex;
std::map<size_t, SpeechDispatcher*> connections;

void OnFinished(size_t messageId, size_t clientId, SPDNotificationType) {
  const std::lock_guard lock(connectionsMutex);
  if (const auto it = connections.find(clientId); it != connections.end()) it->second->Finished(messageId);
}

SPDConnection* Spd(void* connection) { return static_cast<SPDConnection*>(connection); }

}  // namespace

SpeechDispatcher::~SpeechDispatcher() { Close(); }

bool SpeechDispatcher::Open() {
  char* error = nullptr;
  SPDConnection* connection =
      spd_open2("starbarrow", "main", nullptr, SPD_MODE_THREADED, nullptr, /*autospawn=*/1, &error);
  if (!connection) {
    err_ << "starbarrow: speech-dispatcher cannot be reached: " << (error ? error : "no reason given") << '\n';
    std::free(error);
    return false;
  }
  std::free(error);
  connection_ = connection;
  const int id = spd_get_client_id(connection);
  clientId_ = id > 0 ? static_cast<size_t>(id) : 0;
  said_ = 0;
  finished_ = 0;
  {
    const std::lock_guard lock(connectionsMutex);
    connections[clientId_] = this;
  }
  connection->callback_end = OnFinished;
  connection->callback_cancel = OnFinished;
  spd_set_notification_on(connection, SPD_END);
  spd_set_notification_on(connection, SPD_CANCEL);
  return true;
}

void SpeechDispatcher::Close() {
  if (!connection_) return;
  {
    const std::lock_guard lock(connectionsMutex);
    connections.erase(clientId_);
  }
  spd_close(Spd(connection_));
  connection_ = nullptr;
}

bool SpeechDispatcher::Speak(std::string_view text, bool interrupt) {
  if (!connection_ && !Open()) return false;
  if (interrupt) spd_cancel(Spd(connection_));
  const std::string words(text);
  const int id = spd_say(Spd(connection_), interrupt ? SPD_TEXT : SPD_MESSAGE, words.c_str());
  if (id <= 0) {
    err_ << "starbarrow: the connection to speech-dispatcher dropped\n";
    Close();
    return false;
  }
  said_ = static_cast<size_t>(id);
  return true;
}

bool SpeechDispatcher::Busy() const { return connection_ && said_.load() > finished_.load(); }

void SpeechDispatcher::Cancel() {
  if (connection_ && Busy()) spd_cancel(Spd(connection_));
}

void SpeechDispatcher::Finished(size_t messageId) {
  size_t last = finished_.load();
  while (messageId > last && !finished_.compare_exchange_weak(last, messageId)) {
  }
}

}  // namespace sb
