#pragma once
// A stopwatch on the host's millisecond ticks: the tick it was started at,
// and the one question the game asks of it, whether more than so many
// milliseconds have passed since.

#include <cstdint>

namespace sb {

struct Stopwatch {
  int32_t start = 0;  // the tick it was last started at

  // A stopwatch started at `tick` (0: the host's first tick).
  constexpr Stopwatch(int32_t tick = 0) : start(tick) {}  // NOLINT(google-explicit-constructor)

  void Start(int32_t now) { start = now; }
  // Compared by difference, so a tick counter that wraps does no harm.
  int32_t Since(int32_t now) const {
    return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(start));
  }
  bool MoreThan(int32_t now, int32_t ms) const { return Since(now) > ms; }
  // `ms` of a pause do not count.
  void Skip(int32_t ms) { start = static_cast<int32_t>(static_cast<uint32_t>(start) + static_cast<uint32_t>(ms)); }

  bool operator==(const Stopwatch&) const = default;
};

}  // namespace sb
