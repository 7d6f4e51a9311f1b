// Menu sounds and the little beds that some announcements are spoken over.

#include "fx_common.h"

namespace sg {

namespace {

Buf Bell(double hz, double seconds, int rate, double decay) {
  return Modal({{hz, 1.0, decay}, {hz * 2.0, 0.4, decay * 0.5}, {hz * 3.0, 0.2, decay * 0.3}, {hz * 4.2, 0.1, decay * 0.2}},
               seconds, rate);
}

// Menu item: two quick rising blips.
Buf MenuBleep(const Ctx& c) {
  const double half = c.seconds / 2.0;
  return c.Each([&](double t) {
    const bool second = t >= half;
    const double local = second ? t - half : t;
    const double hz = second ? 1800.0 : 1200.0;
    const double env = std::min(1.0, local / 0.003) * std::exp(-local / (half * 0.4));
    return env * (std::sin(kTwoPi * hz * t) + 0.2 * std::sin(kTwoPi * hz * 3.0 * t));
  });
}

// Working: two soft blips per loop while the score board answers.
Buf WorkingBlips(const Ctx& c) {
  const double p = Period(c);
  Buf period(Frames(p, c.rate), 0.0f);
  AddWrapped(period, Bell(Snap(700.0, p), p * 0.5, c.rate, 0.05), static_cast<long>(Frames(p / 4.0, c.rate)));
  AddWrapped(period, Bell(Snap(933.0, p), p * 0.5, c.rate, 0.05), static_cast<long>(Frames(3.0 * p / 4.0, c.rate)));
  return Tile(period, c.Frames());
}

// Crickets on a summer night behind the menu.
Buf Crickets(const Ctx& c) {
  const double p = Period(c);
  Rng rng(c.seed);
  Buf period(Frames(p, c.rate), 0.0f);
  for (int cricket = 0; cricket < 5; ++cricket) {
    const double carrier = rng.Range(4200.0, 5300.0);
    const double gain = rng.Range(0.3, 1.0);
    const int pulses = 3 + rng.Below(3);
    const double every = p / (3 + rng.Below(4));
    for (double at = rng.Range(0.0, every); at < p; at += every) {
      for (int k = 0; k < pulses; ++k) {
        Buf pulse(Frames(0.016, c.rate));
        for (size_t i = 0; i < pulse.size(); ++i) {
          const double t = static_cast<double>(i) / c.rate;
          pulse[i] = static_cast<float>(gain * std::sin(kTwoPi * carrier * t) * std::sin(kPi * t / 0.016));
        }
        AddWrapped(period, pulse, static_cast<long>(Frames(at + k * 0.026, c.rate)));
      }
    }
  }
  Buf out = Tile(period, c.Frames());
  Svf lp;
  for (float& s : out) s += static_cast<float>(0.08 * lp.Low(rng.Bipolar(), 800.0, 0.7, c.rate));
  return out;
}

// Joystick test: a steady tone that the stick pans and bends.
Buf TestTone(const Ctx& c) {
  const double hz = Snap(440.0, Period(c));
  return c.Each([&](double t) {
    return std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * 2 * hz * t) + 0.1 * std::sin(kTwoPi * 3 * hz * t);
  });
}

// A measured pause between spoken parts.
Buf Silence(const Ctx& c) { return Buf(c.Frames(), 0.0f); }

// Under the title: a swoosh rising into a bright chord with sparkles.
Buf TitleBed(const Ctx& c) {
  Rng rng(c.seed);
  Buf out(c.Frames(), 0.0f);
  Svf bp;
  const double rise = 0.6;
  for (size_t i = 0; i < Frames(rise, c.rate) && i < out.size(); ++i) {
    const double t = static_cast<double>(i) / c.rate;
    out[i] += static_cast<float>(bp.Band(rng.Bipolar(), ExpSweep(300.0, 5000.0, t, rise), 2.0, c.rate) * (t / rise) * 0.8);
  }
  static const int kChord[] = {50, 57, 62, 66, 69};
  for (int k = 0; k < 5; ++k) {
    Osc a, b;
    Svf lp;
    const double hz = MidiToHz(kChord[k]);
    Buf note(Frames(c.seconds - rise, c.rate));
    for (size_t i = 0; i < note.size(); ++i) {
      const double t = static_cast<double>(i) / c.rate;
      const double env = std::min(1.0, t / 0.02) * std::exp(-t / 1.2);
      note[i] = static_cast<float>(lp.Low(a.Saw(hz, c.rate) + b.Saw(hz * 1.004, c.rate), 2500, 0.8, c.rate) * env * 0.25);
    }
    AddInto(out, note, static_cast<long>(Frames(rise, c.rate)));
  }
  for (int k = 0; k < 8; ++k) {
    AddInto(out, Bell(MidiToHz(81 + 2 * (k % 4) + 12 * (k / 4)), 0.4, c.rate, 0.15),
            static_cast<long>(Frames(rise + 0.1 + k * 0.12, c.rate)), 0.25);
  }
  return out;
}

// Under "wave complete": bell notes climbing from the left ear to the right.
Sound ChimeSweep(const Ctx& c) {
  Sound s;
  s.rate = c.rate;
  s.channels.assign(2, Buf(c.Frames(), 0.0f));
  static const int kNotes[] = {72, 76, 79, 84, 88};
  for (int k = 0; k < 5; ++k) {
    const double pan = -1.0 + 2.0 * k / 4.0;  // -1 left .. +1 right
    const Buf bell = Bell(MidiToHz(kNotes[k]), c.seconds - k * 0.13, c.rate, 0.5);
    const long at = static_cast<long>(Frames(k * 0.13, c.rate));
    AddInto(s.channels[0], bell, at, std::cos((pan + 1.0) * kPi / 4.0));
    AddInto(s.channels[1], bell, at, std::sin((pan + 1.0) * kPi / 4.0));
  }
  return s;
}

// Under good news: a short brass fanfare.
Buf Fanfare(const Ctx& c) {
  struct Note { int midi; double at, len; };
  static const Note kNotes[] = {{67, 0.0, 0.14}, {67, 0.16, 0.14}, {72, 0.32, 0.5}, {76, 0.32, 0.5}, {79, 0.32, 0.5}};
  Buf out(c.Frames(), 0.0f);
  for (const Note& n : kNotes) {
    Osc a, b;
    Svf lp;
    const double hz = MidiToHz(n.midi);
    Buf note(Frames(n.len + 0.6, c.rate));
    for (size_t i = 0; i < note.size(); ++i) {
      const double t = static_cast<double>(i) / c.rate;
      const double env = Adsr(t, 0.02, 0.1, 0.7, 0.5, n.len);
      const double bright = 900.0 + 2500.0 * env;
      note[i] = static_cast<float>(lp.Low(a.Saw(hz, c.rate) + 0.5 * b.Square(hz * 1.002, c.rate), bright, 1.0, c.rate) * env);
    }
    AddInto(out, note, static_cast<long>(Frames(n.at, c.rate)), 0.35);
  }
  return out;
}

// Under "level up": a quick arpeggio climbing two octaves.
Buf LevelUpRun(const Ctx& c) {
  Buf out(c.Frames(), 0.0f);
  static const int kNotes[] = {60, 64, 67, 72, 76, 79, 84};
  for (int k = 0; k < 7; ++k) {
    AddInto(out, Bell(MidiToHz(kNotes[k]), c.seconds, c.rate, 0.35), static_cast<long>(Frames(k * 0.07, c.rate)), 0.5);
  }
  return out;
}

}  // namespace

void AddMenuRecipes(Registry& r) {
  r.Add("menu_bleep", MenuBleep);
  r.Add("working_blips", WorkingBlips);
  r.Add("crickets", Crickets);
  r.Add("test_tone", TestTone);
  r.Add("silence", Silence);
  r.Add("title_bed", TitleBed);
  r.AddStereo("chime_sweep", ChimeSweep);
  r.Add("fanfare", Fanfare);
  r.Add("level_up_run", LevelUpRun);
}

}  // namespace sg
