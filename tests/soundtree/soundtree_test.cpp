// The built sound tree against its manifest: every row is a file in the
// program folder that decodes, has the declared channels and length, peaks
// below full scale, and, when it loops, joins without a jump.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "decoded.h"
#include "manifest.h"

namespace soundtree {
namespace {

namespace fs = std::filesystem;

class SoundTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    manifest_ = new sg::Manifest(sg::LoadManifest(SB_MANIFEST_PATH));
    decoded_ = new std::map<std::string, Decoded>;
    for (const sg::Entry& e : manifest_->entries) {
      const fs::path path = fs::path(SB_PROGRAM_DIR) / e.file;
      Decoded d;
      if (!fs::exists(path)) {
        d.error = "missing: " + path.string();
      } else {
        d = e.kind == sg::Kind::kMp3 ? DecodeMp3(path) : DecodeWav(path);
      }
      (*decoded_)[e.file] = std::move(d);
    }
  }
  static void TearDownTestSuite() {
    delete manifest_;
    delete decoded_;
  }

  // Calls `check` for every row that decoded; rows that did not are the first test's business.
  template <typename Check>
  static void ForEachDecoded(Check check) {
    for (const sg::Entry& e : manifest_->entries) {
      const Decoded& d = decoded_->at(e.file);
      if (d.error.empty()) check(e, d);
    }
  }

  static sg::Manifest* manifest_;
  static std::map<std::string, Decoded>* decoded_;
};

sg::Manifest* SoundTree::manifest_ = nullptr;
std::map<std::string, Decoded>* SoundTree::decoded_ = nullptr;

TEST_F(SoundTree, EveryRowIsInTheTreeAndDecodes) {
  for (const sg::Entry& e : manifest_->entries) {
    const Decoded& d = decoded_->at(e.file);
    EXPECT_TRUE(d.error.empty()) << e.path << ": " << d.error;
    EXPECT_GT(d.Frames(), 0u) << e.path << " holds no sound";
  }
}

TEST_F(SoundTree, WaveFilesAre16BitPcm) {
  ForEachDecoded([](const sg::Entry& e, const Decoded& d) {
    if (e.kind != sg::Kind::kMp3) {
      EXPECT_TRUE(d.pcm16_wav) << e.path << " is not a 16-bit PCM wave file";
    }
  });
}

TEST_F(SoundTree, ChannelsAreAsTheManifestSays) {
  ForEachDecoded([](const sg::Entry& e, const Decoded& d) { EXPECT_EQ(d.channels, e.channels) << e.path; });
}

TEST_F(SoundTree, LengthsAreAsTheManifestSays) {
  ForEachDecoded([](const sg::Entry& e, const Decoded& d) {
    if (e.exact_length) {
      // The game times shields, charges and beams by these lengths.
      const double expected = std::round(e.seconds * d.rate);
      EXPECT_NEAR(static_cast<double>(d.Frames()), expected, 1.0) << e.path << " should last " << e.seconds << " s";
    } else {
      // An MP3 decoder adds the encoder's padding: allow a fifth of a second.
      const double slack = e.kind == sg::Kind::kMp3 ? 0.2 : 0.0;
      EXPECT_LE(d.Seconds(), e.seconds + slack) << e.path;
      EXPECT_GE(d.Seconds(), e.kind == sg::Kind::kMp3 ? 10.0 : 0.15) << e.path << " is too short to be heard";
    }
  });
}

TEST_F(SoundTree, PeaksStayBelowFullScaleAndAreHeard) {
  ForEachDecoded([](const sg::Entry& e, const Decoded& d) {
    float peak = 0.0f;
    for (const auto& ch : d.samples) {
      for (float s : ch) peak = std::max(peak, std::fabs(s));
    }
    EXPECT_LT(peak, 0.97f) << e.path << " reaches full scale (clipping)";
    if (e.content.rfind("silence", 0) != 0) {
      EXPECT_GT(peak, 0.05f) << e.path << " is nearly silent";
    }
  });
}

// A loop's join must be like any other moment of the loop: no bigger step
// between two samples than the loop itself makes, and no jump in loudness
// bigger than it has between neighbouring moments.
double SeamStepExcess(const std::vector<float>& x) {
  std::vector<float> steps(x.size() - 1);
  for (size_t i = 0; i + 1 < x.size(); ++i) steps[i] = std::fabs(x[i + 1] - x[i]);
  const size_t q = steps.size() * 999 / 1000;
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(q), steps.end());
  const double allowed = 1.5 * steps[q] + 0.002;
  return std::fabs(x.front() - x.back()) - allowed;
}

// Loudness of every 5 ms stretch of the loop, read round the join, in dB
// (floored at -50 dB so that differences inside near-silence do not count).
double SeamLevelExcess(const std::vector<float>& x, int rate) {
  const size_t n = x.size(), w = static_cast<size_t>(rate / 200);
  std::vector<double> sum(2 * n + 1, 0.0);  // running sum of squares over two turns of the loop
  for (size_t i = 0; i < 2 * n; ++i) sum[i + 1] = sum[i] + static_cast<double>(x[i % n]) * x[i % n];
  auto level = [&](size_t from) { return 10.0 * std::log10(std::max((sum[from + w] - sum[from]) / w, 1e-5)); };
  double inside = 0.0;
  for (size_t a = 0; a + 2 * w <= n; ++a) inside = std::max(inside, std::fabs(level(a) - level(a + w)));
  const double seam = std::fabs(level(n - w) - level(n));
  return seam - (inside + 3.0);
}

TEST_F(SoundTree, LoopsJoinWithoutAJump) {
  int loops = 0;
  ForEachDecoded([&](const sg::Entry& e, const Decoded& d) {
    if (!e.loop) return;
    ++loops;
    for (const auto& ch : d.samples) {
      ASSERT_GT(ch.size(), static_cast<size_t>(d.rate / 50)) << e.path;
      EXPECT_LE(SeamStepExcess(ch), 0.0) << e.path << " clicks where it loops";
      EXPECT_LE(SeamLevelExcess(ch, d.rate), 0.0) << e.path << " jumps in loudness where it loops";
    }
  });
  EXPECT_GT(loops, 0);
}

// The seam checks themselves: a sine cut mid-cycle clicks, a whole number of
// cycles does not; a swell cut off at the join jumps in loudness.
TEST(LoopSeam, CatchesAClickAndPassesACleanLoop) {
  const int rate = 44100;
  auto sine = [&](double cycles, size_t n) {
    std::vector<float> x(n);
    for (size_t i = 0; i < n; ++i) x[i] = static_cast<float>(0.8 * std::sin(2 * M_PI * cycles * i / n));
    return x;
  };
  EXPECT_LE(SeamStepExcess(sine(220.0, rate)), 0.0);
  EXPECT_GT(SeamStepExcess(sine(220.25, rate)), 0.0);
  // A swell that grows all through the loop and drops back at the join.
  std::vector<float> swell = sine(220.0, rate);
  for (size_t i = 0; i < swell.size(); ++i) swell[i] *= static_cast<float>(0.1 + 0.9 * i / swell.size());
  EXPECT_GT(SeamLevelExcess(swell, rate), 0.0);
  EXPECT_LE(SeamLevelExcess(sine(220.0, rate), rate), 0.0);
}

// In the player's own voice a prompt's words are said by speech-dispatcher
// and its sounds come from its bare row: every prompt with a bed or sounds
// after its words has one (and no other prompt has), no longer than the
// prompt. That it is heard is checked with every other row.
TEST_F(SoundTree, EveryPromptWithSoundsOfItsOwnHasThemWithoutItsWords) {
  std::map<std::string, const sg::Entry*> bareOf;
  for (const sg::Entry& e : manifest_->entries) {
    if (e.kind == sg::Kind::kBare) bareOf[sg::NormalizeName(e.content)] = &e;
  }
  for (const sg::Entry& e : manifest_->entries) {
    if (e.kind != sg::Kind::kSpeech) continue;
    const sg::SpeechContent content = sg::ParseSpeechContent(e.content);
    const bool sounds = !content.then.empty() || content.over;
    const auto bare = bareOf.find(e.file);
    ASSERT_EQ(bare != bareOf.end(), sounds) << e.path << (sounds ? " has no bare row" : " needs no bare row");
    if (!sounds) continue;
    const Decoded& spoken = decoded_->at(e.file);
    const Decoded& without = decoded_->at(bare->second->file);
    if (!spoken.error.empty() || !without.error.empty()) continue;
    EXPECT_LE(without.Seconds(), spoken.Seconds()) << bare->second->path;
  }
}

// The tree holds what the manifest lists and nothing else, all in lower case,
// so a renamed or dropped row cannot leave an old file that hides the loss.
TEST_F(SoundTree, HoldsNothingTheManifestDoesNotList) {
  for (const char* top : {"sounds", "system"}) {
    const fs::path root = fs::path(SB_PROGRAM_DIR) / top;
    ASSERT_TRUE(fs::exists(root)) << root;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
      if (!item.is_regular_file()) continue;
      const std::string rel = fs::relative(item.path(), SB_PROGRAM_DIR).generic_string();
      const std::string norm = sg::NormalizeName(rel);
      if (!norm.ends_with(".wav") && !norm.ends_with(".mp3")) continue;
      EXPECT_EQ(rel, norm) << "not lower case: " << rel;
      EXPECT_NE(manifest_->Find(rel), nullptr) << "not in the manifest: " << rel;
    }
  }
}

}  // namespace
}  // namespace soundtree
