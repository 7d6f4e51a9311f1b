// sb_soundjudge: numbers for judging sounds one cannot listen to.
//
//   sb_soundjudge FILE...        one line per file: length, level, brightness,
//                                the loudest octave bands, and the strongest
//                                rhythm in its loudness
//   sb_soundjudge --compare FILE...   also a table of how far apart each pair
//                                sounds (0 = alike), from their band spectra,
//                                brightness and rhythm
//
// It is a judging aid for people changing the recipes, not part of the build.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "wav_file.h"

namespace {

using Complex = std::complex<double>;

void Fft(std::vector<Complex>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const Complex w = std::polar(1.0, -2.0 * sg::kPi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      Complex u = 1.0;
      for (size_t k = 0; k < len / 2; ++k, u *= w) {
        const Complex x = a[i + k], y = a[i + k + len / 2] * u;
        a[i + k] = x + y;
        a[i + k + len / 2] = x - y;
      }
    }
  }
}

struct Features {
  std::string name;
  double seconds = 0, rms_db = 0, peak = 0, centroid = 0, rhythm_hz = 0;
  std::vector<double> bands;  // share of energy per octave band, 62 Hz .. 16 kHz
};

Features Measure(const std::string& path) {
  const sg::Sound s = sg::ReadWav(path);
  const sg::Buf& x = s.channels.front();
  Features f;
  f.name = path.substr(path.find_last_of('/') + 1);
  f.seconds = static_cast<double>(x.size()) / s.rate;
  f.peak = sg::Peak(x);
  f.rms_db = 20.0 * std::log10(std::max(1e-9, sg::Rms(x)));
  const size_t n = 4096;
  f.bands.assign(9, 0.0);
  double weighted = 0.0, total = 0.0;
  for (size_t at = 0; at + n <= x.size() || at == 0; at += n / 2) {
    std::vector<Complex> frame(n);
    for (size_t i = 0; i < n; ++i) {
      const double w = 0.5 - 0.5 * std::cos(2.0 * sg::kPi * i / n);
      frame[i] = (at + i < x.size() ? x[at + i] : 0.0f) * w;
    }
    Fft(frame);
    for (size_t k = 1; k < n / 2; ++k) {
      const double hz = static_cast<double>(k) * s.rate / n, e = std::norm(frame[k]);
      weighted += hz * e;
      total += e;
      const int band = std::clamp(static_cast<int>(std::floor(std::log2(std::max(hz, 1.0) / 62.5))), 0, 8);
      f.bands[static_cast<size_t>(band)] += e;
    }
    if (at + n >= x.size()) break;
  }
  f.centroid = total > 0 ? weighted / total : 0;
  for (double& b : f.bands) b = total > 0 ? b / total : 0;
  // Rhythm: the strongest wobble of the loudness between 0.5 and 30 Hz,
  // reading the file round and round as the game plays a loop.
  const size_t hop = static_cast<size_t>(s.rate / 200);
  std::vector<Complex> env(1024, 0.0);
  for (size_t i = 0; i < env.size() && !x.empty(); ++i) {
    double sum = 0;
    for (size_t k = i * hop; k < (i + 1) * hop; ++k) sum += std::fabs(x[k % x.size()]);
    env[i] = sum / hop;
  }
  double mean = 0;
  for (const Complex& e : env) mean += e.real();
  mean /= env.size();
  for (Complex& e : env) e -= mean;
  Fft(env);
  double best = 0;
  for (size_t k = 1; k < env.size() / 2; ++k) {
    const double hz = k * 200.0 / env.size();
    if (hz >= 0.5 && hz <= 30 && std::norm(env[k]) > best) {
      best = std::norm(env[k]);
      f.rhythm_hz = hz;
    }
  }
  return f;
}

double Distance(const Features& a, const Features& b) {
  double d = 0;
  for (size_t i = 0; i < a.bands.size(); ++i) d += std::fabs(a.bands[i] - b.bands[i]);
  d += std::fabs(std::log2((a.centroid + 50) / (b.centroid + 50)));
  d += 0.5 * std::fabs(std::log2((a.rhythm_hz + 0.5) / (b.rhythm_hz + 0.5)));
  return d;
}

}  // namespace

int main(int argc, char** argv) {
  bool compare = false;
  std::vector<Features> all;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--compare") {
      compare = true;
      continue;
    }
    try {
      all.push_back(Measure(arg));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    }
  }
  std::printf("%-22s %7s %7s %6s %9s %8s  octave bands from 62 Hz (%%)\n", "file", "seconds", "rms dB", "peak",
              "centroid", "rhythm");
  for (const Features& f : all) {
    std::printf("%-22s %7.3f %7.1f %6.3f %8.0fHz %6.2fHz ", f.name.c_str(), f.seconds, f.rms_db, f.peak, f.centroid,
                f.rhythm_hz);
    for (double b : f.bands) std::printf(" %3.0f", 100 * b);
    std::printf("\n");
  }
  if (!compare) return 0;
  std::printf("\n%-22s", "distance");
  for (const Features& f : all) std::printf(" %8.8s", f.name.c_str());
  std::printf("\n");
  for (const Features& a : all) {
    std::printf("%-22s", a.name.c_str());
    for (const Features& b : all) std::printf(" %8.2f", Distance(a, b));
    std::printf("\n");
  }
  return 0;
}
