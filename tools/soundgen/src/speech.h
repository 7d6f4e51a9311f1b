#pragma once
// Spoken words, made offline by the speech synthesizer (festival with the
// HTS voice "cmu_us_slt_arctic_hts"). Each distinct text is synthesized once
// and kept in a cache folder, so changing one prompt re-synthesizes one prompt.

#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "dsp.h"

namespace sg {

class SpeechBank {
 public:
  static constexpr int kRate = 32000;  // the voice's own rate

  SpeechBank(std::filesystem::path cache_dir, int jobs);
  // Synthesizes every text that is not cached yet, `jobs` synthesizers at once.
  // Throws std::runtime_error naming the text when the synthesizer fails.
  void Prepare(const std::set<std::string>& texts);
  // The words, trimmed of the silence around them, at kRate. Thread-safe.
  Buf Get(const std::string& text) const;

 private:
  std::filesystem::path CachePath(const std::string& text) const;
  void Synthesize(const std::vector<std::string>& texts, int worker) const;

  std::filesystem::path dir_;
  int jobs_;
  mutable std::mutex mutex_;
  mutable std::map<std::string, Buf> loaded_;
};

// Cuts the quiet before the first and after the last sound, keeping a short
// margin so soft consonants survive, and fades the cut edges.
Buf TrimSilence(const Buf& in, int rate);

}  // namespace sg
