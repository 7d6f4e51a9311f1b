// The background pieces. Each level's piece has its own key, tempo, rhythm
// and instruments, and all of them stay below the effects: soft drums, no
// piercing highs, and most of the energy under 1 kHz where the alien voices
// are thin. The tempo follows from the length given in the manifest.

#include "fx_common.h"
#include "music.h"

namespace sg {

namespace {

using music::Inst;
using music::Key;
using music::Note;
using music::Piece;

using Progression = std::vector<int>;  // one scale degree per bar

int ChordRoot(const Progression& prog, int bar) { return prog[static_cast<size_t>(bar) % prog.size()]; }

void Pads(Piece& p, const Key& k, const Progression& prog, int from, int to, double vel, Inst inst = Inst::kPad,
          int octave = 0) {
  for (int bar = from; bar < to; ++bar) {
    for (int note : k.Chord(ChordRoot(prog, bar))) p.Add({bar * 16.0, 16, note + 12.0 * octave, vel, inst});
  }
}

// Bass from a 16-step pattern: r root, f fifth, o octave, '.' rest. A note
// lasts until the next one (at most a beat).
void Bass(Piece& p, const Key& k, const Progression& prog, const std::string& pattern, int from, int to, double vel,
          int octave = -2) {
  for (int bar = from; bar < to; ++bar) {
    const int root = k.Degree(ChordRoot(prog, bar)) + 12 * octave;
    for (size_t s = 0; s < 16; ++s) {
      const char ch = pattern[s];
      if (ch == '.') continue;
      size_t next = s + 1;
      while (next < 16 && pattern[next] == '.') ++next;
      const int midi = root + (ch == 'f' ? 7 : ch == 'o' ? 12 : 0);
      p.Add({bar * 16.0 + s, std::min<double>(4, static_cast<double>(next - s)) * 0.9, static_cast<double>(midi), vel, Inst::kBass});
    }
  }
}

// Broken chords, one note every `every` steps, going up (or up and down).
void Arp(Piece& p, const Key& k, const Progression& prog, int from, int to, int every, bool updown, Inst inst,
         double vel, int octave) {
  for (int bar = from; bar < to; ++bar) {
    std::vector<int> notes = k.Chord(ChordRoot(prog, bar), 4);
    if (updown) notes.insert(notes.end(), notes.rbegin() + 1, notes.rend() - 1);
    for (int s = 0, i = 0; s < 16; s += every, ++i) {
      const int midi = notes[static_cast<size_t>(i) % notes.size()] + 12 * octave;
      p.Add({bar * 16.0 + s, static_cast<double>(every), static_cast<double>(midi), vel * (s % 4 == 0 ? 1.0 : 0.75), inst});
    }
  }
}

// A tune that wanders the scale and lands on the chord at each bar.
void Melody(Piece& p, const Key& k, const Progression& prog, int from, int to, Inst inst, double vel, int octave,
            double density) {
  static const char* kRhythms[] = {"x...x...x.x.x...", "x.....x...x.....", "x...x.x.....x...", "x.x.x...x.......",
                                   "x.......x...x.x.", "x...........x..."};
  Rng& rng = p.Random();
  int degree = 7;
  for (int bar = from; bar < to; ++bar) {
    const int chord = ChordRoot(prog, bar);
    // Busy tunes draw from the fuller rhythms, sparse ones from the emptier.
    const char* rhythm = density > 0.6 ? kRhythms[rng.Below(4)] : kRhythms[2 + rng.Below(4)];
    bool first = true;
    for (int s = 0; s < 16; ++s) {
      if (rhythm[s] != 'x') continue;
      int next = s + 1;
      while (next < 16 && rhythm[next] != 'x') ++next;
      if (first) {
        // Nearest chord tone to where the tune is.
        int best = chord + 7;
        for (int t = chord; t < chord + 14; t += 2) {
          if (std::abs(t - degree) < std::abs(best - degree) && (t - chord) % 7 != 6) best = t;
        }
        degree = best;
        first = false;
      } else {
        static const int kMoves[] = {-2, -1, -1, 1, 1, 2, 0};
        degree = std::clamp(degree + kMoves[rng.Below(7)], 3, 12);
      }
      p.Add({bar * 16.0 + s, std::min(6, next - s) * 0.95, static_cast<double>(k.Degree(degree) + 12 * octave), vel, inst});
    }
  }
}

Buf Finish(const Ctx& c, const Buf& period) { return Tile(period, c.Frames()); }

Piece Make(const Ctx& c, int bars) {
  return Piece(c.rate, Period(c), bars, c.loop_seconds > 0.0, c.seed);
}

// Level 1, night patrol: A minor, gentle and steady.
Buf Patrol(const Ctx& c) {
  const Key k{57, music::kMinor};
  const Progression prog{0, 5, 2, 6};
  Piece p = Make(c, 16);
  Pads(p, k, prog, 0, 16, 0.8);
  Bass(p, k, prog, "r...r.r.r...f.o.", 0, 16, 0.8);
  Arp(p, k, prog, 4, 16, 2, false, Inst::kPluck, 0.5, 1);
  p.Drums(Inst::kKick, "x.......x.......", 0, 16, 0.7);
  p.Drums(Inst::kHat, "..x...x...x...x.", 2, 16, 0.6);
  p.Drums(Inst::kSnare, "....x.......x...", 8, 16, 0.45);
  Melody(p, k, prog, 8, 16, Inst::kBell, 0.55, 1, 0.4);
  return Finish(c, p.Render(5000, 0.25));
}

// Level 2, pursuit: D dorian, driving eighths and a bell arpeggio.
Buf Pursuit(const Ctx& c) {
  const Key k{62, music::kDorian};
  const Progression prog{0, 3, 0, 6};
  Piece p = Make(c, 16);
  Pads(p, k, prog, 0, 16, 0.45, Inst::kPad, -1);
  Bass(p, k, prog, "r.r.r.r.o.r.f.r.", 0, 16, 0.75);
  Arp(p, k, prog, 0, 16, 1, true, Inst::kBell, 0.3, 0);
  p.Drums(Inst::kKick, "x...x...x...x...", 2, 16, 0.65);
  p.Drums(Inst::kSnare, "....x.......x...", 4, 16, 0.5);
  p.Drums(Inst::kHat, "x3x3x3x3x3x3x3x3", 2, 16, 0.55);
  Melody(p, k, prog, 8, 16, Inst::kLead, 0.5, 0, 0.7);
  return Finish(c, p.Render(5500, 0.2));
}

// Level 3, the deep: E phrygian, slow toms under a dark drone and a choir.
Buf Deep(const Ctx& c) {
  const Key k{52, music::kPhrygian};
  const Progression prog{0, 1, 0, 6};
  Piece p = Make(c, 16);
  for (int bar = 0; bar < 16; bar += 4) p.Add({bar * 16.0, 64, 40, 0.8, Inst::kDrone});
  Pads(p, k, prog, 0, 16, 0.6);
  p.Drums(Inst::kTom, "x.....x...x.....", 0, 16, 0.6, 45);
  p.Drums(Inst::kTom, "........x.......", 2, 16, 0.5, 40);
  Melody(p, k, prog, 4, 16, Inst::kPluck, 0.6, -1, 0.3);
  Pads(p, k, prog, 8, 16, 0.5, Inst::kChoir);
  return Finish(c, p.Render(3500, 0.4));
}

// Level 4, pulse: C minor, a sequenced bass and crisp, quiet drums.
Buf Pulse(const Ctx& c) {
  const Key k{60, music::kMinor};
  const Progression prog{0, 5, 6, 4};
  Piece p = Make(c, 16);
  Bass(p, k, prog, "r.rr.r.rr.r.o.rf", 0, 16, 0.75);
  p.Drums(Inst::kKick, "x...x...x...x...", 0, 16, 0.7);
  p.Drums(Inst::kSnare, "....x.......x...", 4, 16, 0.45);
  p.Drums(Inst::kHat, "..x...x...x...x.", 0, 16, 0.6);
  p.Drums(Inst::kHat, "3.3.3.3.3.3.3.3.", 8, 16, 0.5);
  for (int bar = 4; bar < 16; ++bar) {
    for (int s : {0, 3, 6, 10, 13}) {
      for (int note : k.Chord(ChordRoot(prog, bar))) p.Add({bar * 16.0 + s, 1, static_cast<double>(note), 0.4, Inst::kLead});
    }
  }
  Pads(p, k, prog, 8, 16, 0.4, Inst::kPad, -1);
  return Finish(c, p.Render(6000, 0.15));
}

// Level 5 and the menu, drift: F lydian, lush pads and a slow bell tune.
Buf Drift(const Ctx& c) {
  const Key k{53, music::kLydian};
  const Progression prog{0, 1, 0, 6};
  Piece p = Make(c, 16);
  Pads(p, k, prog, 0, 16, 0.9);
  Bass(p, k, prog, "r...............", 0, 16, 0.6);
  Melody(p, k, prog, 0, 16, Inst::kBell, 0.5, 1, 0.3);
  p.Drums(Inst::kHat, "..3...3...3...3.", 4, 16, 0.5);
  Arp(p, k, prog, 8, 16, 2, true, Inst::kPluck, 0.3, 1);
  return Finish(c, p.Render(4500, 0.35));
}

// Level 6, onslaught: B minor, fast and tense.
Buf Onslaught(const Ctx& c) {
  const Key k{59, music::kHarmonicMinor};
  const Progression prog{0, 5, 3, 4};
  Piece p = Make(c, 16);
  Bass(p, k, prog, "r.r.r.o.r.r.f.o.", 0, 16, 0.8);
  Arp(p, k, prog, 0, 16, 1, false, Inst::kPluck, 0.45, 1);
  p.Drums(Inst::kKick, "x...x...x...x.x.", 0, 16, 0.7);
  p.Drums(Inst::kSnare, "....x.......x...", 0, 16, 0.5);
  p.Drums(Inst::kHat, "x3x3x3x3x3x3x3x3", 0, 16, 0.5);
  Pads(p, k, prog, 0, 16, 0.4, Inst::kPad, -1);
  Melody(p, k, prog, 8, 16, Inst::kLead, 0.5, 0, 0.8);
  return Finish(c, p.Render(6000, 0.15));
}

// The boss's loop: G harmonic minor, heavy drums, a choir and a menacing tune.
Buf BossLoop(const Ctx& c) {
  const Key k{55, music::kHarmonicMinor};
  const Progression prog{0, 5, 3, 4};
  Piece p = Make(c, 16);
  Bass(p, k, prog, "r.r.rrr.r.r.o.r.", 0, 16, 0.9);
  p.Drums(Inst::kKick, "x..xx...x..xx...", 0, 16, 0.8);
  p.Drums(Inst::kSnare, "....x.......x..x", 0, 16, 0.55);
  p.Drums(Inst::kHat, "x.x.x.x.x.x.x.x.", 0, 16, 0.5);
  for (int bar = 3; bar < 16; bar += 4) p.Drums(Inst::kTom, "........x.x.xxxx", bar, bar + 1, 0.6, 43);
  Pads(p, k, prog, 0, 16, 0.8, Inst::kChoir);
  Melody(p, k, prog, 0, 16, Inst::kLead, 0.45, 0, 0.6);
  return Finish(c, p.Render(6500, 0.2));
}

// The boss arrives: a drum roll and chords climbing a semitone a bar, then a big hit.
Buf BossStart(const Ctx& c) {
  const Key k{55, music::kMinor};
  Piece p(c.rate, c.seconds, 4, false, c.seed);
  p.Add({0, 64, 31, 0.9, Inst::kDrone});
  for (int s = 0; s < 48; ++s) p.Add({static_cast<double>(s), 1, 43, 0.15 + 0.85 * s / 48.0, Inst::kTom});
  for (int bar = 0; bar < 3; ++bar) {
    for (int note : k.Chord(0)) p.Add({bar * 16.0, 16, static_cast<double>(note + bar), 0.6 + 0.15 * bar, Inst::kChoir});
  }
  p.Add({48, 1, 36, 1.0, Inst::kKick});
  p.Add({48, 1, 60, 1.0, Inst::kSnare});
  for (int note : k.Chord(0)) {
    p.Add({48, 10, static_cast<double>(note), 0.9, Inst::kLead});
    p.Add({48, 12, static_cast<double>(note - 12), 0.8, Inst::kPad});
  }
  p.Add({48, 12, 31, 1.0, Inst::kBass});
  Buf out = p.Render(7000, 0.3);
  FadeOut(out, Frames(1.0, c.rate));
  return out;
}

// Wind over a night plain: gusts of filtered noise over a still drone.
Buf NightWind(const Ctx& c) {
  const Key k{45, music::kMinor};
  Piece p = Make(c, 8);
  p.Add({0, 128, 33, 0.7, Inst::kDrone});
  Pads(p, k, {0, 0, 5, 5, 3, 3, 4, 4}, 0, 8, 0.35);
  for (int bar = 0; bar < 8; bar += 2) p.Add({bar * 16.0 + 6, 8, 81, 0.15, Inst::kBell});
  Buf out = Finish(c, p.Render(3000, 0.4));
  const double per = Period(c);
  Rng rng(c.seed);
  PinkNoise pink;
  Svf bp;
  Osc gust, sweep;
  const double gust_hz = Snap(0.1, per), sweep_hz = Snap(0.067, per);
  for (float& s : out) {
    const double g = 0.5 + 0.5 * gust.Sine(gust_hz, c.rate);
    const double centre = 350.0 + 700.0 * (0.5 + 0.5 * sweep.Sine(sweep_hz, c.rate));
    s += static_cast<float>(1.2 * bp.Band(pink.Next(rng) * 2.0, centre, 1.2, c.rate) * (0.3 + 0.7 * g * g));
  }
  return out;
}

// Deep space: a beating low drone, a slow shimmer and distant metal pings.
Buf DeepSpace(const Ctx& c) {
  Piece p = Make(c, 8);
  p.Add({0, 128, 31, 0.8, Inst::kDrone});
  p.Add({0, 128, 38.05, 0.5, Inst::kDrone});
  Rng& rng = p.Random();
  static const int kPings[] = {79, 86, 74, 91, 82, 77, 88, 84};
  for (int k = 0; k < 8; ++k) p.Add({k * 16.0 + rng.Below(8), 2, static_cast<double>(kPings[k]), 0.2, Inst::kBell});
  Buf out = Finish(c, p.Render(4000, 0.55));
  const double per = Period(c);
  Osc s1, s2, s3, l1, l2, l3;
  const double f1 = Snap(1210, per), f2 = Snap(1815, per), f3 = Snap(2420, per);
  const double a1 = Snap(0.1, per), a2 = Snap(0.133, per), a3 = Snap(0.067, per);
  for (float& s : out) {
    const double shimmer = s1.Sine(f1, c.rate) * std::pow(0.5 + 0.5 * l1.Sine(a1, c.rate), 3) +
                           s2.Sine(f2, c.rate) * std::pow(0.5 + 0.5 * l2.Sine(a2, c.rate), 3) +
                           s3.Sine(f3, c.rate) * std::pow(0.5 + 0.5 * l3.Sine(a3, c.rate), 3);
    s += static_cast<float>(0.04 * shimmer);
  }
  return out;
}

}  // namespace

void AddMusicRecipes(Registry& r) {
  r.Add("music_patrol", Patrol);
  r.Add("music_pursuit", Pursuit);
  r.Add("music_deep", Deep);
  r.Add("music_pulse", Pulse);
  r.Add("music_drift", Drift);
  r.Add("music_onslaught", Onslaught);
  r.Add("music_boss_loop", BossLoop);
  r.Add("music_boss_start", BossStart);
  r.Add("ambience_night_wind", NightWind);
  r.Add("ambience_deep_space", DeepSpace);
}

}  // namespace sg
