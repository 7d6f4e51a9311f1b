#include "music.h"

#include <algorithm>

namespace sg::music {

const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kPhrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> kLydian = {0, 2, 4, 6, 7, 9, 11};
const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};

int Key::Degree(int degree) const {
  const int n = static_cast<int>(scale.size());
  const int octave = degree >= 0 ? degree / n : -((-degree + n - 1) / n);
  const int index = degree - octave * n;
  return root + 12 * octave + scale[static_cast<size_t>(index)];
}

std::vector<int> Key::Chord(int degree, int size) const {
  std::vector<int> notes;
  for (int k = 0; k < size; ++k) notes.push_back(Degree(degree + 2 * k));
  return notes;
}

Piece::Piece(int rate, double seconds, int bars, bool loops, uint64_t seed)
    : rate_(rate), seconds_(seconds), bars_(bars), loops_(loops), step_seconds_(seconds / (bars * 16.0)),
      seed_(seed), rng_(seed) {}

void Piece::Drums(Inst inst, const std::string& pattern, int from, int to, double vel, double midi) {
  for (int bar = from; bar < to; ++bar) {
    for (size_t s = 0; s < pattern.size() && s < 16; ++s) {
      const char ch = pattern[s];
      if (ch == '.') continue;
      const double v = ch == 'x' ? vel : vel * (ch - '0') / 10.0;
      Add({bar * 16.0 + static_cast<double>(s), 1, midi, v, inst});
    }
  }
}

namespace {

double Release(double t, double held, double release) {
  if (t <= held) return 1.0;
  return std::max(0.0, 1.0 - (t - held) / release);
}

}  // namespace

Buf Piece::RenderNote(const Note& n) const {
  const double held = n.steps * step_seconds_;
  const double hz = MidiToHz(n.midi);
  Rng rng(seed_ ^ (static_cast<uint64_t>(n.step * 977.0 + n.midi * 131.0) * 0x9E3779B97F4A7C15ull));
  auto render = [&](double tail, const std::function<double(double)>& fn) {
    Buf b(Frames(held + tail, rate_));
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<float>(fn(static_cast<double>(i) / rate_) * n.vel);
    return b;
  };
  Osc a, b, c, d;
  Svf f1, f2;
  switch (n.inst) {
    case Inst::kBass:
      return render(0.12, [&](double t) {
        const double tone = a.Saw(hz, rate_) + 0.5 * b.Square(hz * 0.5, rate_);
        const double cut = 160.0 + 1100.0 * std::exp(-t / 0.12);
        return f1.Low(tone, cut, 1.6, rate_) * Adsr(t, 0.004, 0.2, 0.7, 0.1, held) * 0.8;
      });
    case Inst::kPad:
      return render(1.4, [&](double t) {
        const double tone = a.Saw(hz, rate_) + b.Saw(hz * 1.0045, rate_) + c.Saw(hz * 0.9955, rate_) +
                            0.3 * d.Triangle(hz * 2.0, rate_);
        return f1.Low(tone, 900.0 + 500.0 * std::sin(t * 0.9), 0.6, rate_) * Adsr(t, 0.5, 0.8, 0.8, 1.2, held) * 0.22;
      });
    case Inst::kPluck: {
      // Karplus-Strong string: a burst of noise circulating in a damped delay line.
      const size_t period = std::max<size_t>(2, static_cast<size_t>(rate_ / hz));
      Buf line(period);
      for (float& s : line) s = static_cast<float>(rng.Bipolar());
      size_t pos = 0;
      double last = 0.0;
      return render(0.8, [&](double t) {
        const double out = line[pos];
        const double next = line[(pos + 1) % period];
        line[pos] = static_cast<float>(0.996 * 0.5 * (out + next));
        pos = (pos + 1) % period;
        last = f1.Low(out, 3500, 0.7, rate_);
        return last * Release(t, held, 0.25) * 0.6;
      });
    }
    case Inst::kBell:
      return render(1.2, [&](double t) {
        const double index = 2.2 * std::exp(-t / 0.25);
        const double v = std::sin(kTwoPi * hz * t + index * std::sin(kTwoPi * hz * t)) +
                         0.25 * std::exp(-t / 0.05) * std::sin(kTwoPi * hz * 14.0 * t);
        return v * std::exp(-t / 1.0) * Release(t, held, 0.4) * std::min(1.0, t / 0.002) * 0.5;
      });
    case Inst::kLead:
      return render(0.2, [&](double t) {
        const double vib = 1.0 + 0.006 * std::min(1.0, std::max(0.0, t - 0.15) / 0.2) * std::sin(kTwoPi * 5.5 * t);
        const double tone = a.Square(hz * vib, rate_, 0.35) + 0.3 * b.Saw(hz * vib, rate_);
        return f1.Low(tone, 2200, 1.2, rate_) * Adsr(t, 0.015, 0.2, 0.75, 0.15, held) * 0.3;
      });
    case Inst::kKick:
      return render(0.4, [&](double t) {
        const double ph = kTwoPi * (45.0 * t + 90.0 * 0.04 * (1.0 - std::exp(-t / 0.04)));
        return SoftClip(1.5 * std::sin(ph)) * std::exp(-t / 0.22) * std::min(1.0, t / 0.001);
      });
    case Inst::kSnare:
      return render(0.3, [&](double t) {
        const double noise = f1.Band(rng.Bipolar(), 1800, 0.8, rate_) * std::exp(-t / 0.12);
        return (1.3 * noise + 0.5 * std::sin(kTwoPi * 190.0 * t) * std::exp(-t / 0.07)) * 0.6;
      });
    case Inst::kHat:
      return render(0.08, [&](double t) { return f1.High(rng.Bipolar(), 7000, 0.8, rate_) * std::exp(-t / 0.03) * 0.35; });
    case Inst::kTom:
      return render(0.6, [&](double t) {
        const double f = hz * (1.0 + 0.5 * std::exp(-t / 0.05));
        return (a.Sine(f, rate_) + 0.2 * f1.Low(rng.Bipolar(), 800, 0.7, rate_) * std::exp(-t / 0.05)) *
               std::exp(-t / 0.3);
      });
    case Inst::kDrone:
      return render(2.0, [&](double t) {
        const double v = a.Sine(hz, rate_) + 0.5 * b.Sine(hz * 2.002, rate_) + 0.25 * c.Triangle(hz * 3.0, rate_);
        return v * Adsr(t, 2.0, 0.1, 1.0, 2.0, held) * 0.35;
      });
    case Inst::kChoir:
      return render(1.5, [&](double t) {
        const double vib = 1.0 + 0.004 * std::sin(kTwoPi * 5.0 * t);
        const double src = a.Saw(hz * vib, rate_) + b.Saw(hz * 1.003 * vib, rate_);
        const double v = f1.Band(src, 750, 4.0, rate_) + 0.6 * f2.Band(src, 1150, 5.0, rate_);
        return v * Adsr(t, 0.6, 0.5, 0.85, 1.2, held) * 0.3;
      });
  }
  return {};
}

Buf Piece::Render(double top_hz, double reverb_wet) const {
  Buf mix(Frames(seconds_, rate_), 0.0f);
  for (const Note& n : notes_) {
    const long at = static_cast<long>(Frames(n.step * step_seconds_, rate_));
    const Buf b = RenderNote(n);
    if (loops_) {
      AddWrapped(mix, b, at);
    } else {
      AddInto(mix, b, at);
    }
  }
  auto master = [&](const Buf& in) {
    Buf out(in.size());
    Svf lp;
    const double peak = std::max(Peak(in), 1e-6);
    for (size_t i = 0; i < in.size(); ++i) out[i] = static_cast<float>(lp.Low(in[i] / peak, top_hz, 0.7, rate_));
    out = Reverb(out, rate_, 0.75, 0.5, reverb_wet);
    for (float& s : out) s = static_cast<float>(SoftClip(s * 1.2) / 1.2);
    return out;
  };
  return loops_ ? Circular(mix, master) : master(mix);
}

}  // namespace sg::music
