// The ship's weapons, the explosions they cause, and the knocks it takes.

#include "fx_common.h"

namespace sg {

namespace {

// Main laser: a bright pulse that dives in pitch. Short, because a volley can
// follow every 100 ms and each one restarts it.
Buf Laser(const Ctx& c) {
  Osc a, b;
  Rng rng(c.seed);
  Svf hp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double hz = ExpSweep(2600.0, 260.0, t, len * 0.9);
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / (len * 0.35));
    const double zap = 0.65 * a.Square(hz, c.rate, 0.3) + 0.35 * b.Saw(hz * 1.5, c.rate);
    const double spit = hp.High(rng.Bipolar(), 4000, 0.7, c.rate) * std::exp(-t / 0.01);
    return zap * env + 0.4 * spit;
  });
}

// Side lasers fire along the ground: a ringing zip that falls (left) or
// climbs (right), so the two sides are told apart by ear.
Buf SideLaser(const Ctx& c) {
  const bool right = c.Flag("right");
  Osc a, b;
  Svf bp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double hz = right ? ExpSweep(300.0, 1800.0, t, len) : ExpSweep(1800.0, 300.0, t, len);
    const double env = std::min(1.0, t / 0.003) * std::exp(-t / (len * 0.4));
    const double s = a.Saw(hz, c.rate) + 0.5 * b.Square(hz * 2.01, c.rate);
    return (0.5 * s + 1.2 * bp.Band(s, hz * 3.0, 4.0, c.rate)) * env;
  });
}

// Missile launch: an ignition thump and a rocket whoosh climbing away.
Buf MissileLaunch(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = Thump(c.rate, c.seconds, 160.0, 60.0, 0.08);
  Scale(out, 0.7);
  Svf bp;
  PinkNoise pink;
  const double len = c.seconds;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    const double env = std::min(1.0, t / 0.03) * std::pow(1.0 - t / len, 1.5);
    const double whoosh = bp.Band(rng.Bipolar() + pink.Next(rng), ExpSweep(400.0, 3500.0, t, len), 2.0, c.rate);
    out[i] += static_cast<float>(1.3 * whoosh * env);
  }
  return out;
}

// Missile hit: a sharp crack on top of a short boom.
Buf MissileBlast(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 9000.0, 300.0, 0.22);
  AddInto(out, Thump(c.rate, c.seconds, 120.0, 38.0, 0.2), 0, 0.8);
  Svf hp;
  for (size_t i = 0; i < Frames(0.015, c.rate); ++i) {
    out[i] += static_cast<float>(hp.High(rng.Bipolar(), 3000, 0.7, c.rate) * (1.0 - i / (0.015 * c.rate)));
  }
  return out;
}

// Shield: a shimmering chord that holds, flutters faster in its last half
// second as a warning, and fades: the shield protects while it sounds.
Buf Shield(const Ctx& c) {
  const double len = c.seconds;
  const double warn = len - 0.6;
  Osc v1, v2, v3, v4, mod, trem;
  Svf lp;
  return c.Each([&](double t) {
    const double shimmer = 0.25 * mod.Sine(7.0, c.rate);
    const double chord = v1.Sine(600.0 * (1 + 0.004 * shimmer), c.rate) + v2.Sine(603.5, c.rate) +
                         0.7 * v3.Saw(900.0, c.rate) + 0.5 * v4.Sine(1204.0, c.rate);
    double amp = std::min(1.0, t / 0.08) * std::min(1.0, (len - t) / 0.25);
    if (t > warn) amp *= 0.55 + 0.45 * trem.Sine(8.0 + 24.0 * (t - warn) / 0.6, c.rate);
    return lp.Low(chord, 3500, 0.9, c.rate) * amp;
  });
}

// Nuke warming up: a rising siren-whine with a tremolo that speeds up.
Buf NukeWarmUp(const Ctx& c) {
  Osc a, b, trem;
  Rng rng(c.seed);
  Svf bp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double u = t / len;
    const double hz = ExpSweep(90.0, 1500.0, t, len);
    const double wob = 0.55 + 0.45 * trem.Sine(3.0 + 30.0 * u, c.rate);
    const double tone = 0.6 * a.Saw(hz, c.rate) + 0.4 * b.Square(hz * 0.5, c.rate);
    const double hiss = bp.Band(rng.Bipolar(), hz * 3.0, 3.0, c.rate) * u;
    return (tone * wob + 0.6 * hiss) * std::min(1.0, t / 0.05);
  });
}

// Nuke: a deep, long blast with a rumbling tail.
Buf Nuke(const Ctx& c) {
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 9000.0, 60.0, c.seconds * 0.3);
  AddInto(out, Thump(c.rate, c.seconds, 70.0, 24.0, c.seconds * 0.35), 0, 1.2);
  Buf crackle = Crackle(c.rate, rng, c.seconds, 70.0, 2500.0);
  for (size_t i = 0; i < crackle.size(); ++i) crackle[i] *= static_cast<float>(std::exp(-static_cast<double>(i) / (0.8 * c.rate)));
  AddInto(out, crackle, 0, 0.6);
  return Reverb(out, c.rate, 0.8, 0.4, 0.35);
}

// Vapor: a sizzling hiss that sweeps down, with bubbles popping in it.
Buf Vapor(const Ctx& c) {
  Rng rng(c.seed);
  Svf bp, hp, lp;
  Osc bub;
  double bubble_hz = 800.0, bubble_left = 0.0;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.05) * std::min(1.0, (len - t) / 0.3);
    const double hiss = bp.Band(hp.High(rng.Bipolar(), 1000, 0.7, c.rate), ExpSweep(8000.0, 1500.0, t, len), 1.2, c.rate);
    bubble_left -= 1.0 / c.rate;
    if (bubble_left <= 0.0) {
      bubble_left = rng.Range(0.03, 0.09);
      bubble_hz = rng.Range(500.0, 1400.0);
    }
    const double pop = bub.Sine(bubble_hz * (1.0 + 2.0 * (0.09 - bubble_left)), c.rate) * std::exp(-(0.09 - bubble_left) / 0.02);
    return env * (lp.Low(1.1 * hiss, 7000, 0.7, c.rate) + 0.35 * pop);
  });
}

// An alien exploding: a crunch, a falling boom and embers.
Buf Explosion(const Ctx& c) {
  Rng rng(c.seed);
  const double bright = c.Num("bright", 7000.0);
  Buf out = NoiseBlast(c, rng, c.seconds, bright, 150.0, c.seconds * 0.25);
  AddInto(out, Thump(c.rate, c.seconds, c.Num("thump", 110.0), 35.0, c.seconds * 0.2), 0, 0.9);
  Buf embers = Crackle(c.rate, rng, c.seconds, 40.0, 3000.0);
  for (size_t i = 0; i < embers.size(); ++i) {
    embers[i] *= static_cast<float>(std::exp(-static_cast<double>(i) / (0.35 * c.seconds * c.rate)));
  }
  AddInto(out, embers, 0, 0.5);
  return out;
}

// Not allowed: a short low buzz, plainly unlike any weapon.
Buf Invalid(const Ctx& c) {
  Osc a, b;
  Svf lp;
  const double len = c.seconds;
  return c.Each([&](double t) {
    const double env = std::min(1.0, t / 0.005) * std::min(1.0, (len - t) / 0.01);
    return lp.Low(a.Square(150.0, c.rate) + b.Square(159.0, c.rate), 1600, 0.7, c.rate) * env;
  });
}

// The ship struck, or a laser ringing off armour: a metallic clank.
Buf ShipHit(const Ctx& c) { return HullHit(c, 380.0, 110.0, 200.0, 70.0, 0.06, 0.6); }

// Crashing into a wall: a crunch of metal against rock. Seven shades of it.
Buf WallCrash(const Ctx& c) {
  const int v = c.Int("variant", 1);
  Rng rng(c.seed);
  Buf out = NoiseBlast(c, rng, c.seconds, 3000.0 + 300.0 * v, 180.0, 0.12);
  AddInto(out, Clank(c.rate, c.seconds, 160.0 + 35.0 * v, v, rng), 0, 0.7);
  AddInto(out, Thump(c.rate, c.seconds, 95.0 + 4.0 * v, 32.0, 0.12), 0, 0.9);
  return out;
}

}  // namespace

void AddWeaponRecipes(Registry& r) {
  r.Add("laser", Laser);
  r.Add("side_laser", SideLaser);
  r.Add("missile_launch", MissileLaunch);
  r.Add("missile_blast", MissileBlast);
  r.Add("shield", Shield);
  r.Add("nuke_warmup", NukeWarmUp);
  r.Add("nuke", Nuke);
  r.Add("vapor", Vapor);
  r.Add("explosion", Explosion);
  r.Add("invalid", Invalid);
  r.Add("ship_hit", ShipHit);
  r.Add("wall_crash", WallCrash);
}

}  // namespace sg
