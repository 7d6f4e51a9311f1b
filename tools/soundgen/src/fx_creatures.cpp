// Voices of the sheep drop: sheep, clones, monkeys, and what happens to them.
// The voices are made like speech: a buzzing source shaped by vowel formants.

#include "fx_common.h"

namespace sg {

namespace {

struct Vowel { double f1, f2, f3; };
constexpr Vowel kBaa{820, 1650, 2600};
constexpr Vowel kOo{330, 870, 2240};
constexpr Vowel kAh{750, 1150, 2450};

double Lerp(double a, double b, double u) { return a + (b - a) * u; }

// One formant-filtered voice; `pitch`, `vowel_mix` (0 = a, 1 = b) and `amp`
// are functions of time so callers can shape syllables.
Buf Voice(int rate, double seconds, Rng& rng, Vowel a, Vowel b, const std::function<double(double)>& pitch,
          const std::function<double(double)>& vowel_mix, const std::function<double(double)>& amp, double breath) {
  Buf out(Frames(seconds, rate));
  Osc src;
  Svf f1, f2, f3;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double m = vowel_mix(t);
    const double buzz = src.Saw(pitch(t), rate) + breath * rng.Bipolar();
    const double v = 1.0 * f1.Band(buzz, Lerp(a.f1, b.f1, m), 5.0, rate) +
                     0.7 * f2.Band(buzz, Lerp(a.f2, b.f2, m), 7.0, rate) +
                     0.35 * f3.Band(buzz, Lerp(a.f3, b.f3, m), 8.0, rate);
    out[i] = static_cast<float>(v * amp(t));
  }
  return out;
}

// A sheep's "baa": lips opening into the vowel, a quavering, falling pitch.
Buf Bleat(int rate, double seconds, Rng& rng, double f0, double quaver) {
  const Vowel closed{300, 1200, 2400};
  return Voice(
      rate, seconds, rng, closed, kBaa,
      [&](double t) { return f0 * (1.0 - 0.15 * t / seconds) * (1.0 + 0.05 * std::sin(kTwoPi * quaver * t)); },
      [&](double t) { return Clamp01(t / 0.06); },
      [&](double t) {
        const double shape = std::min(1.0, t / 0.04) * std::min(1.0, (seconds - t) / 0.15);
        return shape * (0.65 + 0.35 * std::sin(kTwoPi * quaver * t));
      },
      0.15);
}

Buf Sheep(const Ctx& c) {
  const int v = c.Int("variant", 1);
  static const double kPitch[] = {290, 340, 250, 380};
  static const double kQuaver[] = {8, 10, 7, 11};
  Rng rng(c.seed);
  return Bleat(c.rate, c.seconds, rng, kPitch[(v - 1) & 3], kQuaver[(v - 1) & 3]);
}

// A clone: the same bleat, but flat, ring-modulated and grainy, like a copy
// made by a machine.
Buf Clone(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf baa = Bleat(c.rate, c.seconds, rng, 300.0 + 25.0 * v, 0.01);
  const double ring = 90.0 + 45.0 * v;
  const size_t hold = static_cast<size_t>(c.rate / 11025);
  float held = 0.0f;
  Svf lp;
  for (size_t i = 0; i < baa.size(); ++i) {
    if (i % hold == 0) held = baa[i];
    const double t = static_cast<double>(i) / c.rate;
    const double grainy = std::round(held * 16.0) / 16.0 * (0.4 + 0.6 * std::sin(kTwoPi * ring * t));
    baa[i] = static_cast<float>(lp.Low(grainy, 6000, 0.7, c.rate));
  }
  return baa;
}

// A monkey: quick "ooh" syllables that jump up and burst into an "aah".
Buf Monkey(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  const int syllables = 3 + v;
  const double syl = c.seconds / syllables;
  return Voice(
      c.rate, c.seconds, rng, kOo, kAh,
      [&](double t) {
        const int k = std::min(syllables - 1, static_cast<int>(t / syl));
        const double u = (t - k * syl) / syl;
        const double base = (k == syllables - 1 ? 700.0 : 450.0 + 40.0 * k) * (1.0 + 0.05 * v);
        return base * (1.0 + 0.35 * std::sin(kPi * u));
      },
      [&](double t) { return t > c.seconds - syl ? 1.0 : 0.0; },
      [&](double t) {
        const double u = std::fmod(t, syl) / syl;
        return std::sin(kPi * u) * std::min(1.0, (c.seconds - t) / 0.03);
      },
      0.25);
}

// Something soft hitting the ground: a thud and a splatter of dirt.
Buf Impact(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf out = Thump(c.rate, c.seconds, 110.0 + 15.0 * v, 40.0, 0.09);
  Svf lp;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    out[i] += static_cast<float>(0.8 * lp.Low(rng.Bipolar(), 1200.0 + 250.0 * v, 0.8, c.rate) * std::exp(-t / 0.07));
  }
  return out;
}

// A shot striking the cargo ship (or the mothership's shield): a hard clang.
Buf HullClang(const Ctx& c) { return HullHit(c, 250.0, 70.0, 160.0, 60.0, 0.05, 0.5); }

// A sheep shot: a blast with a startled bleat in it.
Buf SheepShot(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 6000.0, 200.0, 0.2);
  AddInto(out, Thump(c.rate, c.seconds, 120.0, 40.0, 0.15), 0, 0.7);
  AddInto(out, Bleat(c.rate, std::min(0.45, c.seconds), rng, 480.0, 16.0), static_cast<long>(Frames(0.04, c.rate)), 0.9);
  return out;
}

// Caught by the tractor beam: sucked upward with a whoosh and a happy pop.
Buf BeamedUp(const Ctx& c) {
  Rng rng(c.seed);
  Svf bp;
  Osc glide, pop;
  const double len = c.seconds, pop_at = len * 0.75;
  return c.Each([&](double t) {
    const double u = Clamp01(t / pop_at);
    const double whoosh = bp.Band(rng.Bipolar(), ExpSweep(300.0, 4000.0, t, pop_at), 2.0, c.rate) * std::sin(kPi * u);
    const double tone = glide.Sine(ExpSweep(300.0, 1500.0, t, pop_at), c.rate) * std::sin(kPi * u) * 0.5;
    const double p = t >= pop_at ? pop.Sine(ExpSweep(900.0, 1800.0, t - pop_at, 0.05), c.rate) *
                                         std::exp(-(t - pop_at) / 0.04)
                                   : 0.0;
    return whoosh + tone + p;
  });
}

}  // namespace

void AddCreatureRecipes(Registry& r) {
  r.Add("sheep", Sheep);
  r.Add("clone", Clone);
  r.Add("monkey", Monkey);
  r.Add("impact", Impact);
  r.Add("hull_clang", HullClang);
  r.Add("sheep_shot", SheepShot);
  r.Add("beamed_up", BeamedUp);
}

}  // namespace sg
