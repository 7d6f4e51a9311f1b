#include "game/tally_ticks.h"

#include "game/game.h"
#include "game/scoring.h"

namespace sb {

namespace {

constexpr int32_t kFirstTickDelay = 200;
constexpr int32_t kFirstTickFrequency = 44100;
constexpr int32_t kHighestTickFrequency = 60000;

}  // namespace

void WaitSince(Game& game, int32_t since, int32_t ms) {
  const Stopwatch watch(since);
  while (!watch.MoreThan(game.host.Ticks(), ms)) game.host.Yield();
}

void CountTicks(Game& game, SoundBuffer& counter, int64_t count, int64_t points, int32_t fastestDelay) {
  int32_t delay = kFirstTickDelay;
  int32_t frequency = kFirstTickFrequency;
  int32_t last = 0;
  for (int64_t i = 0; i < count; ++i) {
    if (i > 0) WaitSince(game, last, delay);
    last = game.host.Ticks();
    if (delay > fastestDelay) delay -= 5;
    if (frequency < kHighestTickFrequency) frequency += 1000;
    counter.SetPosition(0);
    counter.SetFrequency(frequency);
    counter.Play(false);
    if (points != 0) AddScore(game, points);
  }
}

}  // namespace sb
