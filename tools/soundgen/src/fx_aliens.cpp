// The eight alien voices and the sounds of the aliens' tricks.
//
// Each voice loops for as long as the alien flies, and the game lowers its
// playback rate by about a third on the way down, so every voice is rich in
// harmonics (the fall is heard in all of them) and has its own rhythm, so
// that two colours are told apart even at the same height: green chops,
// red warbles between two notes, blue swells like struck armour, violet
// whines and chirps, yellow crackles, cyan bubbles in glassy notes, orange
// growls, silver throbs.

#include "fx_common.h"

namespace sg {

namespace {

// Chopping insect buzz: two beating saws gated ten times a second.
Buf GreenVoice(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(196.0, p), beat = Snap(196.0 * 1.006, p);
  const double chop = Snap(10.0, p), vib = Snap(5.0, p);
  Osc a, b, lfo, gate;
  Svf formant, lp;
  return c.Each([&](double) {
    const double v = 1.0 + 0.012 * lfo.Sine(vib, c.rate);
    const double raw = 0.6 * a.Saw(f * v, c.rate) + 0.4 * b.Saw(beat * v, c.rate);
    const double g = 0.5 + 0.5 * std::tanh(4.0 * gate.Sine(chop, c.rate));
    const double voiced = raw + 1.2 * formant.Band(raw, 1150, 2.5, c.rate);
    return lp.Low(voiced, 3800, 0.7, c.rate) * (0.2 + 0.8 * g);
  });
}

// Two-tone warble: a square that leaps between two notes five times a second.
Buf RedVoice(const Ctx& c) {
  const double p = Period(c);
  const double lo = Snap(330.0, p), hi = Snap(440.0, p);
  const double step = p / 8.0;  // eight leaps per loop
  Osc sq, sub, trem;
  Svf lp;
  double glide = lo;
  const double k = 1.0 - std::exp(-1.0 / (0.012 * c.rate));
  return c.Each([&](double t) {
    const bool high = static_cast<long>(std::floor(t / step)) % 2 == 1;
    glide += ((high ? hi : lo) - glide) * k;
    const double s = sq.Square(glide, c.rate, 0.42) + 0.35 * sub.Saw(glide * 0.5, c.rate);
    const double tr = 0.85 + 0.15 * trem.Sine(Snap(15.0, p), c.rate);
    return lp.Low(s, 2600, 1.1, c.rate) * tr;
  });
}

// Armoured drone: bright inharmonic FM that swells, with a clank of armour
// plates twice a loop.
Buf BlueVoice(const Ctx& c) {
  const double p = Period(c);
  const double carrier = Snap(147.0, p), mod = Snap(147.0 * 1.41, p);
  const double twin = Snap(147.0 * 1.007, p), swell = Snap(1.0 / p * 2.0, p);
  Osc car, m, car2, m2, sub, lfo;
  Svf lp;
  Buf out = c.Each([&](double) {
    const double sw = lfo.Sine(swell, c.rate);
    const double index = 4.5 + 2.0 * sw;
    const double a = std::sin(kTwoPi * car.Phase() + index * m.Sine(mod, c.rate));
    car.Sine(carrier, c.rate);
    const double b = std::sin(kTwoPi * car2.Phase() + index * m2.Sine(mod * 1.007, c.rate));
    car2.Sine(twin, c.rate);
    const double body = 0.5 * (a + b) + 0.35 * sub.Sine(carrier * 0.5, c.rate);
    return lp.Low(body, 6500, 0.7, c.rate) * (0.75 + 0.25 * sw);
  });
  Rng rng(c.seed);
  Buf period(Frames(p, c.rate), 0.0f);
  for (int k = 0; k < 2; ++k) {
    AddWrapped(period, Clank(c.rate, p * 0.45, Snap(880.0 + 220.0 * k, p), k, rng),
               static_cast<long>(Frames(k * p / 2.0 + p / 4.0, c.rate)), 0.45);
  }
  AddInto(out, Tile(period, out.size()), 0);
  return out;
}

// Wobbling whine: pulse-width sweeps, vibrato, and an upward chirp twice a loop.
Buf VioletVoice(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(392.0, p), pwm = Snap(1.33, p), vib = Snap(6.0, p);
  Osc pulse, pw, lfo;
  Svf bp, lp;
  const double half = p / 2.0;
  return c.Each([&](double t) {
    const double in_half = std::fmod(t, half);
    const double chirp = in_half < 0.14 ? 1.0 + 0.5 * std::sin(kPi * in_half / 0.14) : 1.0;
    const double hz = f * chirp * (1.0 + 0.03 * lfo.Sine(vib, c.rate));
    const double s = pulse.Square(hz, c.rate, 0.5 + 0.4 * pw.Sine(pwm, c.rate));
    return lp.Low(s + 0.8 * bp.Band(s, 1800, 3.0, c.rate), 5000, 0.7, c.rate);
  });
}

// Electric crackle: a ring-modulated bright saw chord with sparks of noise.
Buf YellowVoice(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(523.0, p), fifth = Snap(784.0, p), ring = Snap(73.0, p), pulse = Snap(6.0, p);
  Osc a, b, r, amp;
  Svf lp;
  Rng rng(c.seed);
  const Buf sparks = Crackle(c.rate, rng, c.seconds + 0.1, 28.0, 3500.0);
  size_t i = 0;
  return c.Each([&](double) {
    const double tone = (0.6 * a.Saw(f, c.rate) + 0.4 * b.Saw(fifth, c.rate)) * (0.55 + 0.45 * r.Sine(ring, c.rate));
    const double beat = 0.45 + 0.55 * (0.5 + 0.5 * std::tanh(3.0 * amp.Sine(pulse, c.rate)));
    return lp.Low(tone, 6000, 0.8, c.rate) * beat + 0.9 * sparks[i++];
  });
}

// Glassy bubbling: ten bell notes a second climbing a whole-tone scale over a soft hum.
Buf CyanVoice(const Ctx& c) {
  const double p = Period(c);
  const int notes = 16;
  const double note_len = p / notes;
  static const int kSteps[] = {0, 2, 4, 6, 8, 10, 12, 10, 8, 6, 4, 6, 8, 10, 12, 14};
  Osc hum;
  const double hum_hz = Snap(440.0, p);
  Buf out = c.Each([&](double) { return 0.18 * hum.Triangle(hum_hz, c.rate); });
  for (long rep = 0; rep * p < c.seconds; ++rep) {
    for (int n = 0; n < notes; ++n) {
      const double hz = Snap(880.0 * std::pow(2.0, kSteps[n] / 12.0), p);
      const double start = rep * p + n * note_len;
      Buf note(Frames(note_len * 1.6, c.rate));
      for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / c.rate;
        const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.06);
        const double fm = 1.2 * std::exp(-t / 0.03) * std::sin(kTwoPi * hz * 3.5 * t);
        note[i] = static_cast<float>(env * (std::sin(kTwoPi * hz * t + fm) + 0.4 * std::sin(kTwoPi * 2 * hz * t) +
                                            0.25 * std::sin(kTwoPi * 3 * hz * t)));
      }
      AddInto(out, note, static_cast<long>(Frames(start, c.rate)), 0.7);
    }
  }
  Svf lp;
  for (float& v : out) v = static_cast<float>(lp.Low(v, 8000, 0.7, c.rate));
  return out;
}

// Growling engine: driven low saws through a resonant filter that opens and shuts.
Buf OrangeVoice(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(73.0, p), upper = Snap(110.0, p), wah = Snap(1.67, p);
  Osc a, b, sub, lfo;
  Svf lp;
  return c.Each([&](double) {
    const double raw = SoftClip(3.0 * (a.Saw(f, c.rate) + 0.5 * b.Square(upper, c.rate)));
    const double cutoff = 400.0 + 3200.0 * std::pow(0.5 + 0.5 * lfo.Sine(wah, c.rate), 2.0);
    return lp.Low(raw, cutoff, 3.5, c.rate) * 0.8 + 0.3 * sub.Sine(f * 0.5, c.rate);
  });
}

// Heavy throb: a ring-modulated chord that pulses, with a metallic shimmer on top.
Buf SilverVoice(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(110.0, p), fifth = Snap(165.0, p), oct = Snap(220.7, p);
  const double ring = Snap(317.0, p), throb = Snap(2.5, p);
  const double sheen1 = Snap(2217.0, p), sheen2 = Snap(3329.0, p);
  Osc a, b, o, r, lfo, s1, s2;
  Svf lp;
  return c.Each([&](double) {
    const double chord = 0.5 * a.Saw(f, c.rate) + 0.35 * b.Saw(fifth, c.rate) + 0.3 * o.Saw(oct, c.rate);
    const double metal = chord * (0.6 + 0.4 * r.Sine(ring, c.rate));
    const double s = lfo.Sine(throb, c.rate);
    const double amp = 0.3 + 0.7 * s * s;
    const double sheen = 0.06 * (s1.Sine(sheen1, c.rate) + s2.Sine(sheen2, c.rate));
    return (lp.Low(metal, 5000, 0.9, c.rate) + sheen) * amp;
  });
}

// Yellow laser charging: a whine that climbs faster and faster, ending in a click.
Buf LaserCharge(const Ctx& c) {
  Osc a, b, trem;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double u = t / len;
    const double hz = ExpSweep(180.0, 2000.0, t, len);
    const double wob = 0.6 + 0.4 * trem.Sine(6.0 + 40.0 * u * u, c.rate);
    const double click = (len - t) < 0.01 ? 1.0 : 0.0;
    return (0.6 * a.Saw(hz, c.rate) + 0.4 * b.Sine(hz * 2.0, c.rate)) * wob * (0.3 + 0.7 * u) + 0.5 * click;
  });
}

// Yellow laser firing: a harsh steady beam with sparks, for as long as it hurts.
Buf YellowBeam(const Ctx& c) {
  Osc a, b, ring;
  Svf lp;
  Rng rng(c.seed);
  const Buf sparks = Crackle(c.rate, rng, c.seconds, 60.0, 5000.0);
  size_t i = 0;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.02) * std::min(1.0, (c.seconds - t) / 0.08);
    const double beam = (a.Saw(180.0, c.rate) + 0.7 * b.Saw(271.0, c.rate)) * (0.6 + 0.4 * ring.Sine(1130.0, c.rate));
    return (lp.Low(beam, 5500, 1.2, c.rate) * 0.7 + sparks[i++]) * env;
  });
}

// Cyan warp: a quick rise and fall of FM, like being pulled through space.
Buf Warp(const Ctx& c) {
  Osc car, mod;
  Svf lp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double u = t / len;
    const double hz = 220.0 + 1300.0 * std::sin(kPi * u);
    const double env = std::sin(kPi * std::min(1.0, u * 1.05));
    const double fm = (3.0 - 2.0 * u) * mod.Sine(hz * 1.5, c.rate);
    const double v = std::sin(kTwoPi * car.Phase() + fm);
    car.Sine(hz, c.rate);
    return lp.Low(v, 5000, 0.7, c.rate) * env;
  });
}

// Silver bomb release: a latch clack, then a whistle falling away.
Buf BombRelease(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = Clank(c.rate, 0.25, 700.0, 0, rng);
  Scale(out, 0.6);
  out.resize(c.Frames(), 0.0f);
  Osc w;
  for (size_t i = Frames(0.08, c.rate); i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate - 0.08;
    const double len = c.seconds - 0.08;
    const double env = std::min(1.0, t / 0.05) * std::min(1.0, (len - t) / 0.1);
    out[i] += static_cast<float>(0.6 * w.Sine(ExpSweep(2400.0, 700.0, t, len), c.rate) * env);
  }
  return out;
}

// A bomb bursting on the ground; each of the six has its own weight.
Buf BombBurst(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 5000.0 - 400.0 * v, 200.0, 0.12 + 0.02 * v);
  AddInto(out, Thump(c.rate, c.seconds, 130.0 - 8.0 * v, 40.0, 0.15), 0, 0.9);
  return out;
}

// A landing alien: a heavy thud and dust, then a servo settling the legs.
Buf AlienLanding(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = Thump(c.rate, c.seconds, 90.0, 32.0, 0.25);
  AddInto(out, NoiseBlast(c, rng, 0.6, 2500.0, 300.0, 0.15), 0, 0.5);
  Osc servo;
  const double start = 0.45, len = c.seconds - start - 0.05;
  Buf whirr(Frames(len, c.rate));
  for (size_t i = 0; i < whirr.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    const double hz = t < len * 0.5 ? ExpSweep(300, 520, t, len * 0.5) : ExpSweep(520, 260, t - len * 0.5, len * 0.5);
    whirr[i] = static_cast<float>(servo.Square(hz, c.rate, 0.3) * std::sin(kPi * t / len) * 0.25);
  }
  AddInto(out, whirr, static_cast<long>(Frames(start, c.rate)));
  return out;
}

// A footstep of a crawling alien: a soft thump and a claw click.
Buf AlienStep(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf out = Thump(c.rate, c.seconds, v == 1 ? 140.0 : 115.0, 55.0, 0.05);
  Svf hp;
  const size_t offset = Frames(0.01, c.rate);
  for (size_t i = 0; i < Frames(0.012, c.rate) && offset + i < out.size(); ++i) {
    const double click = hp.High(rng.Bipolar(), v == 1 ? 3000.0 : 2300.0, 2.0, c.rate);
    out[offset + i] += static_cast<float>(0.7 * click * std::exp(-static_cast<double>(i) / (0.003 * c.rate)));
  }
  return out;
}

// Energy drain: a sucking sweep that falls three times a loop, over a low pump.
Buf PowerSuck(const Ctx& c) {
  const double p = Period(c);
  const double beat = p / 3.0;
  Osc a, b, pump;
  Svf bp;
  Rng rng(c.seed);
  return c.Each([&](double t) {
    const double u = std::fmod(t, beat) / beat;
    const double hz = 1400.0 * std::pow(0.25, u);
    const double env = std::sin(kPi * u);
    const double suck = (0.7 * a.Saw(hz, c.rate) + 0.3 * b.Sine(hz * 0.5, c.rate)) * env;
    const double air = bp.Band(rng.Bipolar(), hz * 2.0, 2.0, c.rate) * env;
    return 0.7 * suck + 0.5 * air + 0.35 * pump.Sine(Snap(55.0, p), c.rate);
  });
}

}  // namespace

void AddAlienRecipes(Registry& r) {
  r.Add("voice_green", GreenVoice);
  r.Add("voice_red", RedVoice);
  r.Add("voice_blue", BlueVoice);
  r.Add("voice_violet", VioletVoice);
  r.Add("voice_yellow", YellowVoice);
  r.Add("voice_cyan", CyanVoice);
  r.Add("voice_orange", OrangeVoice);
  r.Add("voice_silver", SilverVoice);
  r.Add("laser_charge", LaserCharge);
  r.Add("yellow_beam", YellowBeam);
  r.Add("warp", Warp);
  r.Add("bomb_release", BombRelease);
  r.Add("bomb_burst", BombBurst);
  r.Add("alien_landing", AlienLanding);
  r.Add("alien_step", AlienStep);
  r.Add("power_suck", PowerSuck);
}

}  // namespace sg
