#include "fx_common.h"

namespace sg {

Buf NoiseBlast(const Ctx& c, Rng& rng, double seconds, double cutoff_from, double cutoff_to, double decay) {
  Buf out(Frames(seconds, c.rate));
  Svf lp;
  PinkNoise pink;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    const double n = 0.6 * rng.Bipolar() + 1.6 * pink.Next(rng);
    const double env = std::min(1.0, t / 0.004) * std::exp(-t / decay);
    out[i] = static_cast<float>(lp.Low(n, ExpSweep(cutoff_from, cutoff_to, t, seconds), 0.8, c.rate) * env);
  }
  return out;
}

Buf Thump(int rate, double seconds, double hz_from, double hz_to, double decay) {
  Buf out(Frames(seconds, rate));
  Osc osc;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double hz = hz_to + (hz_from - hz_to) * std::exp(-t / (decay * 0.35));
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / decay);
    out[i] = static_cast<float>(SoftClip(1.4 * osc.Sine(hz, rate)) * env);
  }
  return out;
}

Buf Crackle(int rate, Rng& rng, double seconds, double per_second, double tone_hz) {
  Buf out(Frames(seconds, rate), 0.0f);
  const double chance = per_second / rate;
  for (size_t i = 0; i < out.size(); ++i) {
    if (rng.Uniform() >= chance) continue;
    const double amp = rng.Range(0.3, 1.0);
    const double len = rng.Range(0.002, 0.008);
    const size_t n = Frames(len, rate);
    Svf bp;
    for (size_t k = 0; k < n && i + k < out.size(); ++k) {
      const double env = std::exp(-static_cast<double>(k) / (0.25 * n + 1));
      out[i + k] += static_cast<float>(amp * env * bp.Band(rng.Bipolar(), tone_hz, 1.5, rate) * 2.0);
    }
  }
  return out;
}

Buf HullHit(const Ctx& c, double base_hz, double hz_per_variant, double thump_from, double thump_to,
            double thump_decay, double thump_gain) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf out = Clank(c.rate, c.seconds, base_hz + hz_per_variant * v, v, rng);
  AddInto(out, Thump(c.rate, c.seconds, thump_from, thump_to, thump_decay), 0, thump_gain);
  return out;
}

Buf Clank(int rate, double seconds, double base_hz, int variant, Rng& rng) {
  // Inharmonic partials of a struck plate; the variant reshuffles them.
  static const double kRatios[] = {1.0, 1.59, 2.14, 2.30, 2.65, 3.16, 3.50, 4.15};
  std::vector<Partial> partials;
  for (size_t k = 0; k < 8; ++k) {
    const double wobble = 1.0 + 0.04 * rng.Bipolar() + 0.03 * variant;
    partials.push_back({base_hz * kRatios[k] * wobble, 0.5 / (1.0 + 0.5 * k), 0.05 + 0.25 * rng.Uniform()});
  }
  Buf out = Modal(partials, seconds, rate, rng.Uniform() * 6.0);
  Svf hp;
  for (size_t i = 0; i < out.size() && i < Frames(0.01, rate); ++i) {
    out[i] += static_cast<float>(0.6 * hp.High(rng.Bipolar(), 2500, 0.7, rate) * (1.0 - i / (0.01 * rate)));
  }
  return out;
}

}  // namespace sg
