#pragma once
// What to do about the sound output when devices come and go: the decisions
// only, on a clock of milliseconds, with no SDL in sight. The host reports
// what happened (our device went away, an output appeared, a device opened or
// would not) and asks, from its main loop, which device to open now.

#include <cstdint>
#include <string>
#include <utility>

namespace sb {

enum class AudioMove {
  None,
  ToDefault,  // the system's default output
  ToChosen,   // the output the player named
};

class AudioDeviceWatch {
 public:
  // A silent game tries the default output again this often.
  static constexpr int32_t kRetryMs = 1000;

  // `chosen`: the output the player named; empty for the default.
  explicit AudioDeviceWatch(std::string chosen) : chosen_(std::move(chosen)) {}

  // A device is open and playing: the chosen one, or the default.
  void Opened(bool chosen);
  // The device we play through went away: the game is silent until a reopen.
  void Lost(int32_t now);
  // An output appeared under `name`.
  void Added(const std::string& name, int32_t now);
  // The move Due asked for could not be made; the game stays where it was.
  void Failed(int32_t now);
  // The move to make now, if any.
  AudioMove Due(int32_t now) const;

  bool Silent() const { return where_ == Where::Silent; }
  bool OnChosen() const { return where_ == Where::Chosen; }

 private:
  enum class Where { Chosen, Default, Silent };

  std::string chosen_;
  Where where_ = Where::Default;
  bool chosenBack_ = false;  // the chosen output appeared while we played elsewhere
  int32_t nextTry_ = 0;      // when silent: the next attempt at the default
};

}  // namespace sb
