#pragma once
// A small sequencer for the background music: notes are placed on a grid of
// sixteenth notes and rendered by a handful of instruments into one period.
// Note tails that run past the end wrap round to the start, and the master
// effects run on the loop in its steady state, so every piece loops without
// a seam.

#include <string>
#include <vector>

#include "dsp.h"

namespace sg::music {

enum class Inst { kBass, kPad, kPluck, kBell, kLead, kKick, kSnare, kHat, kTom, kDrone, kChoir };

struct Note {
  double step = 0;    // start, in sixteenth notes from the start of the piece
  double steps = 1;   // length in sixteenths
  double midi = 60;
  double vel = 1.0;
  Inst inst = Inst::kPluck;
};

// A key: a root note and the semitone offsets of its scale.
struct Key {
  int root;
  std::vector<int> scale;
  // The note `degree` steps up the scale from the root (negative goes down).
  int Degree(int degree) const;
  // Triad (or more) built on a scale degree, in the octave of `octave_root`.
  std::vector<int> Chord(int degree, int size = 3) const;
};

extern const std::vector<int> kMinor, kDorian, kPhrygian, kLydian, kMajor, kHarmonicMinor;

class Piece {
 public:
  Piece(int rate, double seconds, int bars, bool loops, uint64_t seed);
  void Add(const Note& n) { notes_.push_back(n); }
  // Repeats a 16-step pattern ("x" plays, "." rests, digits are soft hits)
  // over bars [from, to).
  void Drums(Inst inst, const std::string& pattern, int from, int to, double vel = 1.0, double midi = 60);
  int Steps() const { return bars_ * 16; }
  Rng& Random() { return rng_; }
  // Renders every note, then the master bus: low-pass at `top_hz`, reverb.
  Buf Render(double top_hz, double reverb_wet) const;

 private:
  Buf RenderNote(const Note& n) const;
  int rate_;
  double seconds_;
  int bars_;
  bool loops_;
  double step_seconds_;
  uint64_t seed_;
  mutable Rng rng_;
  std::vector<Note> notes_;
};

}  // namespace sg::music
