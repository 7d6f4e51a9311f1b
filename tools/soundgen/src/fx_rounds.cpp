// The tallies and the two special rounds: counting ticks, the cargo ship,
// the tractor beam, falling objects, meteors, fires and the crater alarm.

#include "fx_common.h"

namespace sg {

namespace {

// Counting tick: very short, because the tally plays them down to 10 ms apart
// and at rising playback rates.
Buf Tick(const Ctx& c) {
  const double hz = c.Num("hz", 2000.0);
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.001) * std::exp(-t / (c.seconds * 0.3));
    return env * (std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * hz * 2.7 * t));
  });
}

// A tiny "baa" tick for counting saved sheep.
Buf BaaTick(const Ctx& c) {
  Osc pulse;
  Svf f1, f2;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.003) * std::exp(-t / (c.seconds * 0.35));
    const double buzz = pulse.Square(320.0 * (1.0 + 0.05 * std::sin(kTwoPi * 30.0 * t)), c.rate, 0.2);
    return env * (f1.Band(buzz, 750, 5.0, c.rate) + 0.6 * f2.Band(buzz, 1300, 5.0, c.rate)) * 2.0;
  });
}

// A tiny boom for counting meteors shot.
Buf MiniBoom(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 6000.0, 400.0, c.seconds * 0.3);
  AddInto(out, Thump(c.rate, c.seconds, 150.0, 60.0, c.seconds * 0.3), 0, 0.8);
  return out;
}

// Cargo ship: a heavy engine chopped by propellers, under a low drone.
Buf CargoEngine(const Ctx& c) {
  const double p = Period(c);
  const double f = Snap(46.0, p), chop = Snap(14.0, p), drone = Snap(92.5, p);
  Osc a, b, prop;
  Rng rng(c.seed);
  Svf lp, nlp;
  return c.Each([&](double) {
    const double engine = lp.Low(SoftClip(2.0 * (a.Saw(f, c.rate) + 0.6 * b.Saw(drone, c.rate))), 700, 1.0, c.rate);
    const double blades = 0.55 + 0.45 * std::fabs(prop.Sine(chop, c.rate));
    const double wind = nlp.Low(rng.Bipolar(), 1200, 0.7, c.rate);
    return (engine + 0.4 * wind) * blades;
  });
}

// Tractor beam: a pulsing, rising hum that powers down as its time runs out.
Buf TractorBeam(const Ctx& c) {
  Osc a, b, pulse, rise;
  Svf lp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.1) * std::min(1.0, (len - t) / 0.3);
    const double hz = 220.0 * (1.0 + 0.25 * (0.5 + 0.5 * rise.Sine(0.7, c.rate)));
    const double tone = a.Saw(hz, c.rate) + 0.7 * b.Saw(hz * 1.5 * 1.003, c.rate);
    const double beat = 0.6 + 0.4 * pulse.Sine(9.0, c.rate);
    const double drop = t > len - 0.4 ? ExpSweep(1.0, 0.5, t - (len - 0.4), 0.4) : 1.0;
    return lp.Low(tone, 1800 * drop, 2.0, c.rate) * beat * env;
  });
}

// Falling object: a steady whistle in the wind; the game lowers its playback
// rate as the object comes down, so the pitch falls with it.
Buf FallWhistle(const Ctx& c) {
  const double p = Period(c);
  const double hz = Snap(c.Num("hz", 1100.0), p), flutter = Snap(7.0, p);
  Osc tone, lfo;
  Rng rng(c.seed);
  Svf bp;
  return c.Each([&](double) {
    const double v = 1.0 + 0.008 * lfo.Sine(flutter, c.rate);
    return 0.7 * tone.Sine(hz * v, c.rate) + 0.5 * bp.Band(rng.Bipolar(), hz, 4.0, c.rate);
  });
}

// Meteor falling: a roaring, crackling fireball with a whistle inside.
Buf MeteorRoar(const Ctx& c) {
  const double p = Period(c);
  Rng rng(c.seed);
  Svf lp, bp;
  PinkNoise pink;
  Osc whistle;
  const Buf crackle = Crackle(c.rate, rng, c.seconds + 0.1, 50.0, 2500.0);
  size_t i = 0;
  const double hz = Snap(700.0, p);
  return c.Each([&](double) {
    const double roar = lp.Low(pink.Next(rng) * 3.0, 700, 0.8, c.rate);
    const double hiss = bp.Band(rng.Bipolar(), 2200, 1.0, c.rate);
    return roar + 0.4 * hiss + 0.25 * whistle.Sine(hz, c.rate) + 0.7 * crackle[i++];
  });
}

// Meteor impact: a big, dull blast that throws up debris.
Buf MeteorImpact(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 5000.0, 90.0, c.seconds * 0.3);
  AddInto(out, Thump(c.rate, c.seconds, 90.0, 28.0, c.seconds * 0.3), 0, 1.2);
  Buf debris = Crackle(c.rate, rng, c.seconds, 50.0, 1800.0);
  for (size_t i = 0; i < debris.size(); ++i) debris[i] *= static_cast<float>(std::exp(-static_cast<double>(i) / (0.5 * c.rate)));
  AddInto(out, debris, 0, 0.6);
  return out;
}

// Crater fire: crackling flames over a low roar.
Buf CraterFire(const Ctx& c) {
  Rng rng(c.seed);
  Svf lp, bp;
  PinkNoise pink;
  const Buf crackle = Crackle(c.rate, rng, c.seconds + 0.1, 90.0, 3000.0);
  size_t i = 0;
  Osc flicker;
  const double flicker_hz = Snap(3.0, Period(c));
  return c.Each([&](double) {
    const double roar = lp.Low(pink.Next(rng) * 3.0, 400, 0.7, c.rate) * (0.8 + 0.2 * flicker.Sine(flicker_hz, c.rate));
    const double lick = bp.Band(rng.Bipolar(), 1200, 0.8, c.rate) * 0.3;
    return roar + lick + 0.9 * crackle[i++];
  });
}

// Crater alarm: two urgent beeps. A burning crater hurts once per alarm.
Buf CraterAlarm(const Ctx& c) {
  Osc sq;
  Svf lp;
  const double len = c.seconds, beep = len * 0.3;
  return c.Each([&](double t) {
    const bool second = t >= len * 0.45;
    const double local = second ? t - len * 0.45 : t;
    if (local > beep) return 0.0;
    const double env = std::min(1.0, local / 0.005) * std::min(1.0, (beep - local) / 0.01);
    return lp.Low(sq.Square(second ? 660.0 : 880.0, c.rate, 0.5), 3000, 0.8, c.rate) * env;
  });
}

// A monkey caught: a jaunty little marimba tune.
Buf MonkeyTune(const Ctx& c) {
  static const int kNotes[] = {72, 76, 79, 76, 72, 74, 77, 81, 79, 84};
  const double step = c.seconds / 11.0;
  Buf out(c.Frames(), 0.0f);
  for (int k = 0; k < 10; ++k) {
    const double hz = MidiToHz(kNotes[k]);
    const double hold = k == 9 ? c.seconds - 9 * step : step * 1.5;
    Buf n = Modal({{hz, 1.0, 0.18}, {hz * 4.0, 0.35, 0.04}, {hz * 10.0, 0.1, 0.01}}, hold, c.rate);
    AddInto(out, n, static_cast<long>(Frames(k * step, c.rate)));
  }
  return out;
}

// Sheep counted: a cheerful rising arpeggio.
Buf HappyJingle(const Ctx& c) {
  static const int kNotes[] = {67, 71, 74, 79, 83, 86};
  const double step = c.seconds / 8.0;
  Buf out(c.Frames(), 0.0f);
  for (int k = 0; k < 6; ++k) {
    const double hz = MidiToHz(kNotes[k]);
    Buf n = Modal({{hz, 1.0, 0.3}, {hz * 2.0, 0.3, 0.15}, {hz * 3.0, 0.15, 0.08}}, c.seconds - k * step, c.rate);
    AddInto(out, n, static_cast<long>(Frames(k * step, c.rate)), 0.8);
  }
  return out;
}

}  // namespace

void AddRoundRecipes(Registry& r) {
  r.Add("tick", Tick);
  r.Add("baa_tick", BaaTick);
  r.Add("mini_boom", MiniBoom);
  r.Add("cargo_engine", CargoEngine);
  r.Add("tractor_beam", TractorBeam);
  r.Add("fall_whistle", FallWhistle);
  r.Add("meteor_roar", MeteorRoar);
  r.Add("meteor_impact", MeteorImpact);
  r.Add("crater_fire", CraterFire);
  r.Add("crater_alarm", CraterAlarm);
  r.Add("monkey_tune", MonkeyTune);
  r.Add("happy_jingle", HappyJingle);
}

}  // namespace sg
