// The numbered families that the program composes at run time (stem, number,
// ".wav") cannot be found by scanning its source, so they are listed here.

#include <gtest/gtest.h>

#include <string>

#include "manifest.h"

namespace soundtree {
namespace {

struct Family {
  const char* stem;
  int first, last;
};

TEST(Families, EveryNumberedFamilyIsComplete) {
  const Family families[] = {
      {"sounds/hitside", 1, 7}, {"sounds/exp", 1, 3},     {"sounds/shiphit", 1, 3}, {"sounds/bomb0", 1, 6},
      {"sounds/d_", 1, 8},      {"sounds/sheep", 1, 4},   {"sounds/clone", 1, 4},   {"sounds/monkey", 1, 3},
      {"sounds/impact", 1, 5},  {"sounds/cargimp", 1, 3}, {"sounds/music/music", 1, 6},
      {"sounds/music/amb", 1, 2}, {"system/menu/diff", 1, 4}, {"system/menu/desc/s", 1, 50},
      {"sounds/numbers/", 1, 19},
  };
  const sg::Manifest m = sg::LoadManifest(SB_MANIFEST_PATH);
  for (const Family& f : families) {
    for (int n = f.first; n <= f.last; ++n) {
      const std::string name = f.stem + std::to_string(n) + ".wav";
      EXPECT_NE(m.Find(name), nullptr) << name;
    }
  }
}

TEST(Families, EveryNumberWordIsThere) {
  const sg::Manifest m = sg::LoadManifest(SB_MANIFEST_PATH);
  for (const char* word : {"20", "30", "40", "50", "60", "70", "80", "90", "hundred", "thousand", "million", "zero", "point"}) {
    const std::string name = std::string("sounds/numbers/") + word + ".wav";
    const sg::Entry* e = m.Find(name);
    ASSERT_NE(e, nullptr) << name;
    // SpeakNumber joins these one after another: each must be a single word.
    EXPECT_EQ(e->content.find(' '), std::string::npos) << name << ": '" << e->content << "'";
  }
}

}  // namespace
}  // namespace soundtree
