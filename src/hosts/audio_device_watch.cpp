#include "hosts/audio_device_watch.h"

namespace sb {

namespace {

// Whether `now` has reached `at`, on a millisecond clock that wraps.
bool Reached(int32_t now, int32_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(at)) >= 0;
}

}  // namespace

void AudioDeviceWatch::Opened(bool chosen) {
  where_ = chosen ? Where::Chosen : Where::Default;
  chosenBack_ = false;
}

void AudioDeviceWatch::Lost(int32_t now) {
  where_ = Where::Silent;
  chosenBack_ = false;
  nextTry_ = now;  // at once: the default output is usually still there
}

void AudioDeviceWatch::Added(const std::string& name, int32_t now) {
  if (!chosen_.empty() && name == chosen_) {
    chosenBack_ = where_ != Where::Chosen;
  } else if (where_ == Where::Silent) {
    nextTry_ = now;  // a new output may be the one that opens
  }
}

void AudioDeviceWatch::Failed(int32_t now) {
  if (chosenBack_) {
    chosenBack_ = false;  // named, but would not open: stay where we are
    return;
  }
  if (where_ == Where::Silent) nextTry_ = static_cast<int32_t>(static_cast<uint32_t>(now) + kRetryMs);
}

AudioMove AudioDeviceWatch::Due(int32_t now) const {
  if (chosenBack_) return AudioMove::ToChosen;
  if (where_ == Where::Silent && Reached(now, nextTry_)) return AudioMove::ToDefault;
  return AudioMove::None;
}

}  // namespace sb
