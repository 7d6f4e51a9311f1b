#include "dsp.h"

#include <algorithm>
#include <array>

namespace sg {

uint64_t SeedFor(std::string_view name, uint64_t salt) {
  uint64_t h = 1469598103934665603ull ^ (salt * 0x9E3779B97F4A7C15ull);
  for (unsigned char c : name) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

uint64_t Rng::Next() {
  // splitmix64: tiny, fast and the same everywhere.
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

namespace {

// Correction for the step of a waveform at phase 0, spread over one sample.
double PolyBlep(double t, double dt) {
  if (dt <= 0.0) return 0.0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Osc::Advance(double hz, int rate) {
  const double dt = std::clamp(hz / rate, 0.0, 0.5);
  phase_ += dt;
  phase_ -= std::floor(phase_);
  return dt;
}

double Osc::Sine(double hz, int rate) {
  const double v = std::sin(kTwoPi * phase_);
  Advance(hz, rate);
  return v;
}

double Osc::Saw(double hz, int rate) {
  const double dt = std::clamp(hz / rate, 0.0, 0.5);
  const double v = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
  Advance(hz, rate);
  return v;
}

double Osc::Square(double hz, int rate, double width) {
  const double dt = std::clamp(hz / rate, 0.0, 0.5);
  width = std::clamp(width, 0.05, 0.95);
  double v = phase_ < width ? 1.0 : -1.0;
  v += PolyBlep(phase_, dt);
  double shifted = phase_ + 1.0 - width;
  shifted -= std::floor(shifted);
  v -= PolyBlep(shifted, dt);
  Advance(hz, rate);
  return v;
}

double Osc::Triangle(double hz, int rate) {
  // Integrated band-limited square: harmonics fall 12 dB per octave.
  const double dt = std::clamp(hz / rate, 0.0, 0.5);
  const double sq = Square(hz, rate);
  tri_state_ = tri_state_ * (1.0 - 0.5 * dt) + 4.0 * dt * sq;
  return std::clamp(tri_state_, -1.5, 1.5);
}

Svf::Out Svf::Process(double x, double cutoff_hz, double q, int rate) {
  const double fc = std::clamp(cutoff_hz, 10.0, 0.45 * rate);
  const double g = std::tan(kPi * fc / rate);
  const double k = 1.0 / std::max(q, 0.05);
  const double a1 = 1.0 / (1.0 + g * (g + k));
  const double a2 = g * a1;
  const double a3 = g * a2;
  const double v3 = x - ic2_;
  const double v1 = a1 * ic1_ + a2 * v3;
  const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  return {v2, v1, x - k * v1 - v2};
}

double OnePole::Low(double x, double hz, int rate) {
  const double a = std::exp(-kTwoPi * std::clamp(hz, 1.0, 0.45 * rate) / rate);
  z_ = x * (1.0 - a) + z_ * a;
  return z_;
}

double PinkNoise::Next(Rng& rng) {
  const double w = rng.Bipolar();
  b0_ = 0.99765 * b0_ + w * 0.0990460;
  b1_ = 0.96300 * b1_ + w * 0.2965164;
  b2_ = 0.57000 * b2_ + w * 1.0526913;
  return (b0_ + b1_ + b2_ + w * 0.1848) * 0.25;
}

double Adsr(double t, double attack, double decay, double sustain, double release, double note_len) {
  if (t < 0.0) return 0.0;
  auto held = [&](double u) {
    if (u < attack) return attack > 0.0 ? u / attack : 1.0;
    u -= attack;
    if (u < decay) return 1.0 - (1.0 - sustain) * (u / decay);
    return sustain;
  };
  if (t < note_len) return held(t);
  const double level = held(note_len);
  const double r = t - note_len;
  return r >= release ? 0.0 : level * (1.0 - r / release);
}

double ExpSweep(double from, double to, double t, double len) {
  const double u = len > 0.0 ? Clamp01(t / len) : 1.0;
  return from * std::pow(to / from, u);
}

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

size_t Frames(double seconds, int rate) {
  return seconds <= 0.0 ? 0 : static_cast<size_t>(std::llround(seconds * rate));
}

void AddInto(Buf& dst, const Buf& src, long offset, double gain) {
  for (size_t i = 0; i < src.size(); ++i) {
    const long j = offset + static_cast<long>(i);
    if (j < 0) continue;
    if (j >= static_cast<long>(dst.size())) break;
    dst[static_cast<size_t>(j)] += static_cast<float>(src[i] * gain);
  }
}

void AddWrapped(Buf& dst, const Buf& src, long offset, double gain) {
  if (dst.empty()) return;
  const long n = static_cast<long>(dst.size());
  long j = ((offset % n) + n) % n;
  for (size_t i = 0; i < src.size(); ++i) {
    dst[static_cast<size_t>(j)] += static_cast<float>(src[i] * gain);
    if (++j == n) j = 0;
  }
}

void Scale(Buf& b, double gain) {
  for (float& s : b) s = static_cast<float>(s * gain);
}

double Peak(const Buf& b) {
  double p = 0.0;
  for (float s : b) p = std::max(p, static_cast<double>(std::fabs(s)));
  return p;
}

double Rms(const Buf& b) {
  if (b.empty()) return 0.0;
  double sum = 0.0;
  for (float s : b) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / b.size());
}

void FadeIn(Buf& b, size_t frames) {
  frames = std::min(frames, b.size());
  for (size_t i = 0; i < frames; ++i) b[i] = static_cast<float>(b[i] * (static_cast<double>(i) / frames));
}

void FadeOut(Buf& b, size_t frames) {
  frames = std::min(frames, b.size());
  const size_t start = b.size() - frames;
  for (size_t i = 0; i < frames; ++i) {
    b[start + i] = static_cast<float>(b[start + i] * (static_cast<double>(frames - 1 - i) / frames));
  }
}

void RemoveDc(Buf& b) {
  if (b.empty()) return;
  double mean = 0.0;
  for (float s : b) mean += s;
  mean /= static_cast<double>(b.size());
  for (float& s : b) s = static_cast<float>(s - mean);
}

namespace {

double Hermite(const Buf& in, double pos, bool wrap) {
  const long n = static_cast<long>(in.size());
  const long i = static_cast<long>(std::floor(pos));
  const double f = pos - static_cast<double>(i);
  auto at = [&](long k) -> double {
    if (wrap) return in[static_cast<size_t>(((k % n) + n) % n)];
    return (k < 0 || k >= n) ? 0.0 : in[static_cast<size_t>(k)];
  };
  const double y0 = at(i - 1), y1 = at(i), y2 = at(i + 1), y3 = at(i + 2);
  const double c1 = 0.5 * (y2 - y0);
  const double c2 = y0 - 2.5 * y1 + 2.0 * y2 - 0.5 * y3;
  const double c3 = 0.5 * (y3 - y0) + 1.5 * (y1 - y2);
  return ((c3 * f + c2) * f + c1) * f + y1;
}

}  // namespace

Buf Resample(const Buf& in, double ratio) {
  if (in.empty() || ratio <= 0.0) return {};
  const size_t out_n = static_cast<size_t>(std::floor(in.size() / ratio));
  Buf out(out_n);
  for (size_t i = 0; i < out_n; ++i) out[i] = static_cast<float>(Hermite(in, i * ratio, false));
  return out;
}

Buf Varispeed(const Buf& in, double speed_from, double speed_to, size_t out_frames, bool wrap) {
  Buf out(out_frames, 0.0f);
  if (in.empty()) return out;
  double pos = 0.0;
  for (size_t i = 0; i < out_frames; ++i) {
    if (!wrap && pos >= static_cast<double>(in.size())) break;
    out[i] = static_cast<float>(Hermite(in, pos, wrap));
    const double u = out_frames > 1 ? static_cast<double>(i) / (out_frames - 1) : 0.0;
    pos += speed_from + (speed_to - speed_from) * u;
  }
  return out;
}

Buf Tile(const Buf& period, size_t frames) {
  Buf out(frames, 0.0f);
  if (period.empty()) return out;
  for (size_t i = 0; i < frames; ++i) out[i] = period[i % period.size()];
  return out;
}

Buf Circular(const Buf& period, const std::function<Buf(const Buf&)>& process) {
  Buf twice(period);
  twice.insert(twice.end(), period.begin(), period.end());
  Buf done = process(twice);
  done.resize(twice.size(), 0.0f);
  return Buf(done.begin() + static_cast<long>(period.size()), done.end());
}

Buf Modal(const std::vector<Partial>& partials, double seconds, int rate, double phase_seed) {
  Buf out(Frames(seconds, rate), 0.0f);
  for (size_t p = 0; p < partials.size(); ++p) {
    const Partial& m = partials[p];
    if (m.hz >= 0.45 * rate) continue;
    const double phase = phase_seed * (p + 1) * 1.618;
    const double w = kTwoPi * m.hz / rate;
    const double k = std::exp(-1.0 / (std::max(m.decay, 1e-4) * rate));
    double env = m.amp;
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] += static_cast<float>(env * std::sin(w * static_cast<double>(i) + phase));
      env *= k;
    }
  }
  return out;
}

namespace {

class Comb {
 public:
  explicit Comb(size_t n) : line_(std::max<size_t>(n, 1), 0.0f) {}
  double Process(double x, double feedback, double damp) {
    const double y = line_[pos_];
    store_ = y * (1.0 - damp) + store_ * damp;
    line_[pos_] = static_cast<float>(x + store_ * feedback);
    if (++pos_ == line_.size()) pos_ = 0;
    return y;
  }

 private:
  Buf line_;
  size_t pos_ = 0;
  double store_ = 0.0;
};

class Allpass {
 public:
  explicit Allpass(size_t n) : line_(std::max<size_t>(n, 1), 0.0f) {}
  double Process(double x) {
    const double b = line_[pos_];
    line_[pos_] = static_cast<float>(x + b * 0.5);
    if (++pos_ == line_.size()) pos_ = 0;
    return b - x;
  }

 private:
  Buf line_;
  size_t pos_ = 0;
};

}  // namespace

Buf Reverb(const Buf& in, int rate, double room, double damp, double wet) {
  static constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static constexpr std::array<int, 4> kAllpasses = {556, 441, 341, 225};
  const double scale = rate / 44100.0;
  std::vector<Comb> combs;
  for (int c : kCombs) combs.emplace_back(static_cast<size_t>(c * scale));
  std::vector<Allpass> passes;
  for (int a : kAllpasses) passes.emplace_back(static_cast<size_t>(a * scale));
  const double feedback = 0.7 + 0.28 * Clamp01(room);
  Buf out(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    const double x = in[i] * 0.015;
    double acc = 0.0;
    for (Comb& c : combs) acc += c.Process(x, feedback, damp);
    for (Allpass& a : passes) acc = a.Process(acc);
    out[i] = static_cast<float>(in[i] * (1.0 - 0.5 * wet) + acc * wet);
  }
  return out;
}

}  // namespace sg
