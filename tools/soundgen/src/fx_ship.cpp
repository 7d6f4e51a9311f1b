// The player's ship: locate ping, thrust, turbo, the walls' ambience, pause.

#include "fx_common.h"

namespace sg {

namespace {

// Locate: a sonar ping with one faint echo. Short, so it can be asked for often.
Buf Locate(const Ctx& c) {
  auto ping = [&](double t) {
    if (t < 0.0) return 0.0;
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.06);
    return env * (std::sin(kTwoPi * 1320.0 * t) + 0.3 * std::sin(kTwoPi * 2640.0 * t));
  };
  return c.Each([&](double t) { return ping(t) + 0.25 * ping(t - 0.12); });
}

// Thrust ignition: a puff of band-limited noise with a low kick.
Buf ThrustBurst(const Ctx& c) {
  Rng rng(c.seed);
  Svf bp, lp;
  Buf out = Thump(c.rate, c.seconds, 120.0, 50.0, 0.06);
  Scale(out, 0.5);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    const double env = std::min(1.0, t / 0.005) * std::exp(-t / (c.seconds * 0.45));
    out[i] += static_cast<float>(1.5 * lp.Low(bp.Band(rng.Bipolar(), 900.0, 1.0, c.rate), 3000, 0.7, c.rate) * env);
  }
  return out;
}

// Engine running: a steady rumble and hiss with a slight flutter.
Buf ThrustLoop(const Ctx& c) {
  const double p = Period(c);
  Rng rng(c.seed);
  Svf bp, lp, top;
  Osc hum, flutter;
  PinkNoise pink;
  const double flutter_hz = Snap(12.0, p), hum_hz = Snap(55.0, p);
  return c.Each([&](double) {
    const double n = pink.Next(rng) * 2.0;
    const double f = 0.85 + 0.15 * flutter.Sine(flutter_hz, c.rate);
    const double rumble = top.Low(bp.Band(n, 500.0, 0.9, c.rate), 2500, 0.7, c.rate);
    return (0.8 * rumble + 0.5 * lp.Low(hum.Saw(hum_hz, c.rate), 220, 0.8, c.rate)) * f;
  });
}

// Thrust cut: the rumble sighs down and stops.
Buf ThrustStop(const Ctx& c) {
  Rng rng(c.seed);
  Svf bp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::pow(1.0 - t / len, 2.0) * std::min(1.0, t / 0.004);
    return 1.4 * bp.Band(rng.Bipolar(), ExpSweep(900.0, 180.0, t, len), 1.2, c.rate) * env;
  });
}

// Turbo: a jet whoosh and a whine that both climb.
Buf TurboThrust(const Ctx& c) {
  Rng rng(c.seed);
  Svf bp, lp;
  Osc whine;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.02) * std::pow(1.0 - t / len, 0.8);
    const double jet = bp.Band(rng.Bipolar(), ExpSweep(600.0, 4000.0, t, len), 1.5, c.rate);
    const double tone = jet * 1.2 + 0.35 * whine.Saw(ExpSweep(400.0, 1700.0, t, len), c.rate);
    return env * lp.Low(tone, 7000, 0.7, c.rate);
  });
}

// Near the walls: a marsh at night, frogs croaking over a low breeze. The
// game fades it in as the ship nears either wall.
Buf NightMarsh(const Ctx& c) {
  const double p = Period(c);
  Rng rng(c.seed);
  Buf period(Frames(p, c.rate), 0.0f);
  const int calls = static_cast<int>(p * 3.0);
  for (int k = 0; k < calls; ++k) {
    const double start = rng.Range(0.0, p);
    const double len = rng.Range(0.12, 0.3);
    const double pulse_hz = rng.Range(22.0, 40.0);
    const double formant = rng.Range(350.0, 900.0);
    const double amp = rng.Range(0.4, 1.0);
    Buf croak(Frames(len, c.rate));
    Svf f1, f2;
    Osc pulses;
    for (size_t i = 0; i < croak.size(); ++i) {
      const double t = static_cast<double>(i) / c.rate;
      const double buzz = pulses.Square(pulse_hz, c.rate, 0.12);
      const double voiced = f1.Band(buzz, formant, 6.0, c.rate) + 0.5 * f2.Band(buzz, formant * 2.3, 5.0, c.rate);
      croak[i] = static_cast<float>(voiced * std::sin(kPi * t / len) * amp);
    }
    AddWrapped(period, croak, static_cast<long>(Frames(start, c.rate)));
  }
  Buf out = Tile(period, c.Frames());
  Svf lp;
  PinkNoise pink;
  for (float& s : out) s += static_cast<float>(0.5 * lp.Low(pink.Next(rng), 500.0, 0.7, c.rate));
  return out;
}

// Paused: a soft two-note chime that breathes while the game waits.
Buf PauseLoop(const Ctx& c) {
  const double p = Period(c);
  Buf period(Frames(p, c.rate), 0.0f);
  const double notes[] = {MidiToHz(72), MidiToHz(67)};
  for (int k = 0; k < 2; ++k) {
    Buf n = Modal({{notes[k], 1.0, 0.5}, {notes[k] * 2.0, 0.3, 0.25}, {notes[k] * 3.0, 0.1, 0.1}}, p, c.rate);
    AddWrapped(period, n, static_cast<long>(Frames(k * p / 2.0, c.rate)));
  }
  return Tile(period, c.Frames());
}

}  // namespace

void AddShipRecipes(Registry& r) {
  r.Add("locate", Locate);
  r.Add("thrust_burst", ThrustBurst);
  r.Add("thrust_loop", ThrustLoop);
  r.Add("thrust_stop", ThrustStop);
  r.Add("turbo_thrust", TurboThrust);
  r.Add("night_marsh", NightMarsh);
  r.Add("pause_loop", PauseLoop);
}

}  // namespace sg
