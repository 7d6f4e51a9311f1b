#pragma once
// The player's own speech through speech-dispatcher (libspeechd), the service
// screen readers on this desktop speak through: the player's own voice, rate,
// pitch and volume. The connection opens with the first words (starting the
// service when none runs) and again after it dropped; the end of each
// utterance comes from libspeechd's callbacks on its own thread.

#include <atomic>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace sb {

class SpeechDispatcher {
 public:
  // Problems (no service, a connection that drops) are told on `err`.
  explicit SpeechDispatcher(std::ostream& err) : err_(err) {}
  ~SpeechDispatcher();
  SpeechDispatcher(const SpeechDispatcher&) = delete;
  SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

  // With interrupt, what this program was saying stops first; without, the
  // words follow it. False when the service cannot be reached.
  bool Speak(std::string_view text, bool interrupt);
  // From a Speak until the end (or the cancel) of the last words it said.
  bool Busy() const;
  void Cancel();

  // Called by the callbacks: an utterance has ended or was cancelled.
  void Finished(size_t messageId);

 private:
  bool Open();
  void Close();

  std::ostream& err_;
  // libspeechd's SPDConnection, a typedef of an unnamed struct that cannot be
  // declared here: only speech_dispatcher.cpp sees its type.
  void* connection_ = nullptr;
  size_t clientId_ = 0;
  // Message numbers grow through a connection's life: the newest said, and
  // the newest that has finished. An end may come before Speak has its number.
  std::atomic<size_t> said_{0};
  std::atomic<size_t> finished_{0};
};

}  // namespace sb
