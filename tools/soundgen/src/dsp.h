#pragma once
// The building blocks of every generated sound: a seeded random source,
// band-limited oscillators, envelopes, filters and buffer helpers. Everything
// is deterministic: the same seed gives the same samples on every machine.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace sg {

using Buf = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Seed derived from a name, so each file has its own fixed random stream.
uint64_t SeedFor(std::string_view name, uint64_t salt = 0);

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  uint64_t Next();
  double Uniform();                     // [0, 1)
  double Bipolar() { return Uniform() * 2.0 - 1.0; }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Below(int n) { return static_cast<int>(Uniform() * n); }

 private:
  uint64_t state_;
};

double MidiToHz(double note);
double DbToGain(double db);

// Phase accumulator with band-limited waveforms (PolyBLEP), so bright voices
// stay clean when the game plays them faster or slower.
class Osc {
 public:
  explicit Osc(double phase = 0.0) : phase_(phase) {}
  double Sine(double hz, int rate);
  double Saw(double hz, int rate);
  double Square(double hz, int rate, double width = 0.5);
  double Triangle(double hz, int rate);
  double Phase() const { return phase_; }

 private:
  double Advance(double hz, int rate);
  double phase_;
  double tri_state_ = 0.0;
};

// Topology-preserving state-variable filter: stable while its cutoff moves.
class Svf {
 public:
  struct Out { double low, band, high; };
  Out Process(double x, double cutoff_hz, double q, int rate);
  double Low(double x, double hz, double q, int rate) { return Process(x, hz, q, rate).low; }
  double Band(double x, double hz, double q, int rate) { return Process(x, hz, q, rate).band; }
  double High(double x, double hz, double q, int rate) { return Process(x, hz, q, rate).high; }

 private:
  double ic1_ = 0.0, ic2_ = 0.0;
};

class OnePole {
 public:
  double Low(double x, double hz, int rate);
  double High(double x, double hz, int rate) { return x - Low(x, hz, rate); }

 private:
  double z_ = 0.0;
};

// Pink noise (Kellet's economy filter over white noise).
class PinkNoise {
 public:
  double Next(Rng& rng);

 private:
  double b0_ = 0, b1_ = 0, b2_ = 0;
};

double Adsr(double t, double attack, double decay, double sustain, double release, double note_len);
double ExpSweep(double from, double to, double t, double len);   // exponential glide
double Clamp01(double x);
inline double SoftClip(double x) { return std::tanh(x); }

// Buffer helpers.
size_t Frames(double seconds, int rate);
void AddInto(Buf& dst, const Buf& src, long offset, double gain = 1.0);
void AddWrapped(Buf& dst, const Buf& src, long offset, double gain = 1.0);  // tails wrap to the start
void Scale(Buf& b, double gain);
double Peak(const Buf& b);
double Rms(const Buf& b);
void FadeIn(Buf& b, size_t frames);
void FadeOut(Buf& b, size_t frames);
void RemoveDc(Buf& b);
Buf Resample(const Buf& in, double ratio);  // ratio > 1 shortens (plays faster)
// Plays `in` at a speed that moves from `speed_from` to `speed_to`, for `out_frames`.
Buf Varispeed(const Buf& in, double speed_from, double speed_to, size_t out_frames, bool wrap);
// A steady-state loop: runs `process` over two periods and keeps the second,
// so filters and echoes carry over the join exactly as they would in play.
// Repeats `period` to fill `frames`.
Buf Tile(const Buf& period, size_t frames);
Buf Circular(const Buf& period, const std::function<Buf(const Buf&)>& process);

// Sum of decaying partials: bells, clanks, struck metal.
struct Partial { double hz, amp, decay; };
Buf Modal(const std::vector<Partial>& partials, double seconds, int rate, double phase_seed = 0.0);

// Small plate-like reverb; `wet` 0..1.
Buf Reverb(const Buf& in, int rate, double room, double damp, double wet);

}  // namespace sg
