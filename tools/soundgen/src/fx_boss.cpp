// The boss round: the mothership, its scream, the roller bomb, the end.

#include "fx_common.h"

namespace sg {

namespace {

// Mothership: a huge low chord that slowly phases and swells once a second,
// with a faint engine whine; bigger and slower than any alien.
Buf Mothership(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(55.0, p), fifth = Snap(82.5, p), oct = Snap(110.4, p), whine_hz = Snap(880.0, p);
  const double swell = Snap(1.0, p), sweep = Snap(0.5, p);
  Osc a, b, o, sub, whine, lfo, ph;
  Svf lp, notch;
  return c.Each([&](double) {
    const double chord = a.Saw(f, c.rate) + 0.7 * b.Saw(fifth, c.rate) + 0.5 * o.Saw(oct, c.rate);
    const double moving = 400.0 + 1200.0 * (0.5 + 0.5 * ph.Sine(sweep, c.rate));
    const double phased = chord - 0.8 * notch.Band(chord, moving, 2.0, c.rate);
    const double s = lfo.Sine(swell, c.rate);
    const double body = lp.Low(phased, 2500, 0.8, c.rate) * (0.7 + 0.3 * s) + 0.5 * sub.Sine(f * 0.5, c.rate);
    return body + 0.08 * whine.Sine(whine_hz * (1.0 + 0.01 * s), c.rate);
  });
}

// The mothership hit: a harsh, falling alien scream.
Buf Scream(const Ctx& c) {
  Osc src, vib;
  Svf f1, f2;
  Rng rng(c.seed);
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double hz = ExpSweep(950.0, 320.0, t, len) * (1.0 + 0.06 * vib.Sine(13.0, c.rate));
    const double buzz = SoftClip(2.0 * src.Saw(hz, c.rate)) + 0.3 * rng.Bipolar();
    const double env = std::min(1.0, t / 0.02) * std::min(1.0, (len - t) / 0.15);
    return (f1.Band(buzz, 900, 4.0, c.rate) + 0.8 * f2.Band(buzz, 2300, 5.0, c.rate)) * env * 1.5;
  });
}

// The roller deflected: a ricochet that pings upward off metal.
Buf Ricochet(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = Clank(c.rate, c.seconds, 900.0, 2, rng);
  Scale(out, 0.6);
  Osc ping;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    out[i] += static_cast<float>(0.6 * ping.Sine(ExpSweep(1200.0, 3200.0, t, c.seconds), c.rate) * std::exp(-t / 0.1));
  }
  return out;
}

// The roller dropping from the mothership: a falling whistle, then it lands.
Buf RollerDrop(const Ctx& c) {
  Osc w;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.03) * std::min(1.0, (len - t) / 0.05);
    return env * (w.Sine(ExpSweep(1600.0, 280.0, t, len), c.rate) * 0.9);
  });
}

// The roller landing: a heavy thud that rings like a steel drum.
Buf RollerLanding(const Ctx& c) {
  Buf out = Thump(c.rate, c.seconds, 100.0, 36.0, 0.15);
  AddInto(out, Modal({{196.0, 0.5, 0.3}, {311.0, 0.3, 0.2}, {523.0, 0.2, 0.1}}, c.seconds, c.rate), 0);
  return out;
}

// The roller rolling: a grinding rumble with a clunk at every turn.
Buf RollerRolling(const Ctx& c) {
  const double p = Period(c);
  Rng rng(c.seed);
  Buf period(Frames(p, c.rate), 0.0f);
  for (int k = 0; k < 4; ++k) {
    AddWrapped(period, Thump(c.rate, 0.12, 180.0, 70.0, 0.03), static_cast<long>(Frames(k * p / 4.0, c.rate)), 0.7);
  }
  Buf out = Tile(period, c.Frames());
  Svf lp;
  Osc tone, am;
  const double tone_hz = Snap(60.0, p), am_hz = Snap(4.0, p);
  for (float& s : out) {
    const double grind = lp.Low(rng.Bipolar(), 600.0, 0.9, c.rate);
    s += static_cast<float>(0.8 * grind + 0.3 * tone.Saw(tone_hz, c.rate) * (0.6 + 0.4 * am.Sine(am_hz, c.rate)));
  }
  return out;
}

// The mothership destroyed: blast after blast, then a long fall of rubble.
Buf MothershipBlast(const Ctx& c) {
  Rng rng(c.seed);
  Buf out(c.Frames(), 0.0f);
  const double starts[] = {0.0, 0.35, 0.8, 1.3};
  for (int k = 0; k < 4; ++k) {
    const double len = c.seconds - starts[k];
    Buf blast = NoiseBlast(c, rng, len, 8000.0 - 1200.0 * k, 60.0, 0.3 + 0.25 * k);
    AddInto(blast, Thump(c.rate, len, 90.0 - 10.0 * k, 25.0, 0.4 + 0.2 * k), 0, 1.1);
    AddInto(out, blast, static_cast<long>(Frames(starts[k], c.rate)), 0.8 + 0.1 * k);
  }
  return Reverb(out, c.rate, 0.85, 0.3, 0.4);
}

// Under "the mothership has lifted off": a rumble climbing into the sky.
Buf LiftoffRumble(const Ctx& c) {
  Rng rng(c.seed);
  Svf lp;
  Osc whine;
  PinkNoise pink;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double u = t / len;
    const double env = std::min(1.0, t / 0.3) * std::min(1.0, (len - t) / 0.4);
    const double rumble = lp.Low(pink.Next(rng) * 3.0, 200.0 + 900.0 * u, 0.9, c.rate);
    return env * (rumble + 0.25 * whine.Saw(ExpSweep(80.0, 400.0, t, len), c.rate));
  });
}

}  // namespace

void AddBossRecipes(Registry& r) {
  r.Add("mothership", Mothership);
  r.Add("scream", Scream);
  r.Add("ricochet", Ricochet);
  r.Add("roller_drop", RollerDrop);
  r.Add("roller_landing", RollerLanding);
  r.Add("roller_rolling", RollerRolling);
  r.Add("mothership_blast", MothershipBlast);
  r.Add("liftoff_rumble", LiftoffRumble);
}

}  // namespace sg
