#pragma once
// The waits and counted ticks of a tally (a wave's, a special round's).

#include <cstdint>

namespace sb {

struct Game;
class SoundBuffer;

// Waits, letting window events run, until more than `ms` have passed since `since`.
void WaitSince(Game& game, int32_t since, int32_t ms);

// `count` ticks of `counter`, each 5 ms sooner (down to `fastestDelay` ms
// apart) and 1000 Hz higher than the one before; the first at once. Each
// tick pays `points` (none when 0).
void CountTicks(Game& game, SoundBuffer& counter, int64_t count, int64_t points, int32_t fastestDelay);

}  // namespace sb
