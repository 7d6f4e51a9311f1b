#pragma once
// Small shared pieces for the effect recipes.

#include "dsp.h"
#include "recipes.h"

namespace sg {

// The loop period a recipe should repeat on (the whole length for one-shots).
inline double Period(const Ctx& c) { return c.loop_seconds > 0.0 ? c.loop_seconds : c.seconds; }

// Rounds a frequency to a whole number of cycles per period, so a loop's
// oscillators and wobbles line up where the loop joins.
inline double Snap(double hz, double period) {
  if (period <= 0.0) return hz;
  const double cycles = std::max(1.0, std::round(hz * period));
  return cycles / period;
}

// Noise burst through a falling low-pass: the body of most explosions.
Buf NoiseBlast(const Ctx& c, Rng& rng, double seconds, double cutoff_from, double cutoff_to, double decay);
// A falling sine thump: impacts, kicks, landings.
Buf Thump(int rate, double seconds, double hz_from, double hz_to, double decay);
// Sparse crackles: short random clicks, `per_second` on average.
Buf Crackle(int rate, Rng& rng, double seconds, double per_second, double tone_hz);
// Hits of struck metal, varied by `variant`.
Buf Clank(int rate, double seconds, double base_hz, int variant, Rng& rng);
// Metal struck hard over a thump: something hitting a hull. The "variant"
// setting raises the clank by `hz_per_variant` a step.
Buf HullHit(const Ctx& c, double base_hz, double hz_per_variant, double thump_from, double thump_to,
            double thump_decay, double thump_gain);

}  // namespace sg
