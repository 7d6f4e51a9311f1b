// The saucer and the power-up it carries: hum, dive, landing, beacon, loss.

#include "fx_common.h"

namespace sg {

namespace {

// Saucer: a wide, fast vibrato around a whistling tone over a low hum.
Buf SaucerHum(const Ctx& c) {
  const double p = Period(c);
  const double vib = Snap(6.0, p), base = Snap(900.0, p), hum_hz = Snap(110.0, p);
  Osc tone, tone2, lfo, hum;
  Svf lp;
  return c.Each([&](double) {
    const double v = 1.0 + 0.18 * lfo.Sine(vib, c.rate);
    const double whistle = tone.Sine(base * v, c.rate) + 0.35 * tone2.Sine(base * 2.0 * v, c.rate);
    return 0.7 * whistle + 0.4 * lp.Low(hum.Saw(hum_hz, c.rate), 600, 0.8, c.rate);
  });
}

// Power-up diving: a whistle that rises for the whole dive (about 70 steps of
// 60 ms), then holds a moment.
Buf DiveWhistle(const Ctx& c) {
  Osc tone, vib;
  Rng rng(c.seed);
  Svf bp;
  const double len = c.seconds, rise = c.seconds - 0.3;
  return c.Each([&](double t) {
    const double hz = ExpSweep(350.0, 2600.0, t, rise) * (1.0 + 0.01 * vib.Sine(5.0, c.rate));
    const double env = std::min(1.0, t / 0.05) * std::min(1.0, (len - t) / 0.1);
    return env * (0.8 * tone.Sine(hz, c.rate) + 0.4 * bp.Band(rng.Bipolar(), hz, 6.0, c.rate));
  });
}

// Power-up landed: a soft thump and a bright bell that says "here I am".
Buf PayloadDrop(const Ctx& c) {
  Buf out = Thump(c.rate, c.seconds, 150.0, 60.0, 0.06);
  Scale(out, 0.7);
  AddInto(out, Modal({{1568.0, 0.7, 0.2}, {3136.0, 0.3, 0.1}, {4704.0, 0.15, 0.05}}, c.seconds, c.rate), 0);
  return out;
}

// Power-up waiting: a beacon chiming twice a loop over a soft hum.
Buf PayloadBeacon(const Ctx& c) {
  const double p = Period(c);
  Buf period(Frames(p, c.rate), 0.0f);
  for (int k = 0; k < 2; ++k) {
    Buf chime = Modal({{Snap(1046.5, p), 0.8, 0.12}, {Snap(1568.0, p), 0.5, 0.09}, {Snap(2093.0, p), 0.2, 0.05}}, p * 0.5,
                      c.rate);
    AddWrapped(period, chime, static_cast<long>(Frames(k * p / 2.0, c.rate)));
  }
  Osc hum;
  const double hum_hz = Snap(262.0, p);
  for (float& s : period) s += static_cast<float>(0.15 * hum.Triangle(hum_hz, c.rate));
  return Tile(period, c.Frames());
}

// Power-up lost: three sagging notes, the last one drooping away.
Buf PayloadGone(const Ctx& c) {
  Osc sq;
  Svf lp;
  const double len = c.seconds, note = len / 3.2;
  const double pitches[] = {MidiToHz(67), MidiToHz(66), MidiToHz(65)};
  return c.Each([&](double t) {
    const int k = std::min(2, static_cast<int>(t / note));
    double hz = pitches[k];
    if (k == 2) hz *= std::pow(0.5, std::max(0.0, t - 2 * note) / (len - 2 * note) * 0.5);
    const double local = t - k * note;
    const double env = std::min(1.0, local / 0.01) * (k == 2 ? std::min(1.0, (len - t) / 0.15) : std::min(1.0, (note - local) / 0.02));
    const double wah = 600.0 + 1400.0 * std::sin(kPi * std::min(1.0, local / note));
    return lp.Low(sq.Square(hz, c.rate, 0.35), wah, 2.0, c.rate) * env;
  });
}

}  // namespace

void AddSaucerRecipes(Registry& r) {
  r.Add("saucer_hum", SaucerHum);
  r.Add("dive_whistle", DiveWhistle);
  r.Add("payload_drop", PayloadDrop);
  r.Add("payload_beacon", PayloadBeacon);
  r.Add("payload_gone", PayloadGone);
}

}  // namespace sg
