#include "speech.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "process.h"
#include "wav_file.h"

namespace sg {

namespace {

// Bump when the synthesis settings change, so old cache entries are not used.
constexpr const char* kVoiceVersion = "cmu_us_slt_arctic_hts/2";  // names the cache entries

// Words of the game that the voice's letter-to-sound rules get wrong: the
// game's name is "star" and "barrow", not "star-bah-row".
constexpr const char* kLexicon =
    "(lex.add.entry '(\"starbarrow\" n (((s t aa r) 1) ((b ae) 2) ((r ow) 0))))\n";

std::string SchemeString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += (c == '\n' || c == '\r') ? ' ' : c;
  }
  return out + "\"";
}

}  // namespace

SpeechBank::SpeechBank(std::filesystem::path cache_dir, int jobs) : dir_(std::move(cache_dir)), jobs_(std::max(1, jobs)) {
  std::filesystem::create_directories(dir_);
}

std::filesystem::path SpeechBank::CachePath(const std::string& text) const {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.wav",
                static_cast<unsigned long long>(SeedFor(text, SeedFor(kVoiceVersion))));
  return dir_ / name;
}

void SpeechBank::Synthesize(const std::vector<std::string>& texts, int worker) const {
  const std::filesystem::path script = dir_ / ("batch" + std::to_string(worker) + ".scm");
  const std::filesystem::path log = dir_ / ("batch" + std::to_string(worker) + ".log");
  {
    std::ofstream out(script);
    out << "(voice_cmu_us_slt_arctic_hts)\n" << kLexicon;
    for (size_t i = 0; i < texts.size(); ++i) {
      const std::string tmp = CachePath(texts[i]).string() + ".part";
      out << "(utt.save.wave (utt.synth (Utterance Text " << SchemeString(texts[i]) << ")) " << SchemeString(tmp)
          << " 'riff)\n";
    }
    if (!out) throw std::runtime_error("cannot write " + script.string());
  }
  const int status = RunProcess({"festival", "-b", script.string()}, log);
  if (status == -1) {
    throw std::runtime_error("cannot run festival; scripts/install-deps installs it with the voice festvox-us-slt-hts");
  }
  for (const std::string& text : texts) {
    const std::filesystem::path done = CachePath(text);
    const std::filesystem::path part = done.string() + ".part";
    if (status != 0 || !std::filesystem::exists(part)) {
      throw std::runtime_error("the speech synthesizer (festival, voice cmu_us_slt_arctic_hts) failed on \"" + text +
                               "\" with status " + std::to_string(status) + ": " + LogTail(log));
    }
    std::filesystem::rename(part, done);
  }
}

void SpeechBank::Prepare(const std::set<std::string>& texts) {
  std::vector<std::vector<std::string>> batches(static_cast<size_t>(jobs_));
  std::vector<size_t> load(batches.size(), 0);
  std::vector<std::string> missing;
  for (const std::string& t : texts) {
    if (!std::filesystem::exists(CachePath(t))) missing.push_back(t);
  }
  // Longest first onto the least loaded worker keeps the synthesizers busy evenly.
  std::sort(missing.begin(), missing.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
  for (const std::string& t : missing) {
    const size_t w = static_cast<size_t>(std::min_element(load.begin(), load.end()) - load.begin());
    batches[w].push_back(t);
    load[w] += t.size() + 20;
  }
  std::vector<std::thread> workers;
  std::vector<std::string> errors(batches.size());
  for (size_t w = 0; w < batches.size(); ++w) {
    if (batches[w].empty()) continue;
    workers.emplace_back([&, w] {
      try {
        Synthesize(batches[w], static_cast<int>(w));
      } catch (const std::exception& e) {
        errors[w] = e.what();
      }
    });
  }
  for (std::thread& t : workers) t.join();
  for (const std::string& e : errors) {
    if (!e.empty()) throw std::runtime_error(e);
  }
}

Buf SpeechBank::Get(const std::string& text) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto it = loaded_.find(text); it != loaded_.end()) return it->second;
  }
  const Sound raw = ReadWav(CachePath(text));
  if (raw.rate != kRate || raw.channels.size() != 1) {
    throw std::runtime_error("speech for \"" + text + "\" is not mono at " + std::to_string(kRate) + " Hz");
  }
  // The voice carries a small DC offset and rumble; a gentle high-pass keeps
  // them out of the game's speakers.
  Buf clean = raw.channels.front();
  Svf hp;
  for (float& s : clean) s = static_cast<float>(hp.High(s, 60.0, 0.7, kRate));
  Buf words = TrimSilence(clean, kRate);
  if (words.empty()) throw std::runtime_error("speech for \"" + text + "\" is silent");
  std::lock_guard<std::mutex> lock(mutex_);
  return loaded_.emplace(text, std::move(words)).first->second;
}

Buf TrimSilence(const Buf& in, int rate) {
  const size_t window = static_cast<size_t>(rate / 100);  // 10 ms
  if (in.size() < window) return {};
  std::vector<double> level;
  for (size_t at = 0; at + window <= in.size(); at += window) {
    double sum = 0.0;
    for (size_t i = at; i < at + window; ++i) sum += static_cast<double>(in[i]) * in[i];
    level.push_back(std::sqrt(sum / window));
  }
  const double loudest = *std::max_element(level.begin(), level.end());
  if (loudest <= 1e-5) return {};
  const double floor = loudest * DbToGain(-42.0);
  size_t first = 0, last = level.size() - 1;
  while (first < level.size() && level[first] < floor) ++first;
  while (last > first && level[last] < floor) --last;
  const size_t start = first * window > Frames(0.02, rate) ? first * window - Frames(0.02, rate) : 0;
  const size_t end = std::min(in.size(), (last + 1) * window + Frames(0.06, rate));
  Buf out(in.begin() + static_cast<long>(start), in.begin() + static_cast<long>(end));
  FadeIn(out, Frames(0.004, rate));
  FadeOut(out, Frames(0.02, rate));
  return out;
}

}  // namespace sg
