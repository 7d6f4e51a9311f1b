#include <gtest/gtest.h>

#include "audio/path_resolver.h"
#include "audio/wav_decoder.h"
#include "hosts/disk_sound_library.h"
#include "hosts/file_store.h"
#include "platform/runtime_error.h"
#include "support/temp_dir.h"

namespace sb {
namespace {

using test::MakeWav;
using test::TempDir;

TEST(PathResolver, MatchesAnySlashAndAnyLetterCase) {
  TempDir tree;
  tree.Write("sounds/acyan.wav", {1});
  tree.Write("system/menu/level.wav", {1});
  tree.Write("sounds/PausedLp.wav", {1});
  PathResolver resolver(tree.path());
  const struct {
    const char* name;
    const char* file;
  } cases[] = {{"sounds/aCyan.wav", "sounds/acyan.wav"},
               {"system\\menu\\Level.wav", "system/menu/level.wav"},
               {"SYSTEM/menu\\LEVEL.WAV", "system/menu/level.wav"},
               {"sounds/pausedlp.wav", "sounds/PausedLp.wav"},
               {"sounds//./acyan.wav", "sounds/acyan.wav"}};
  for (const auto& c : cases) {
    const auto resolved = resolver.Resolve(c.name);
    ASSERT_TRUE(resolved) << c.name;
    EXPECT_EQ(*resolved, tree.path() / c.file) << c.name;
  }
}

TEST(PathResolver, RefusesMissingNamesAndNamesOutsideTheTree) {
  TempDir tree;
  tree.Write("sounds/a.wav", {1});
  PathResolver resolver(tree.path());
  for (const char* name : {"sounds/b.wav", "../sounds/a.wav", "sounds/../../x", "/etc/passwd", "\\sounds\\a.wav", ""}) {
    EXPECT_FALSE(resolver.Resolve(name)) << name;
  }
}

TEST(WavDecoder, DecodesMonoAndStereoAtTheirOwnRate) {
  const Pcm mono = DecodeWav(MakeWav({1, -2, 3}, 32000, 1), "mono");
  EXPECT_EQ(mono.rate, 32000);
  EXPECT_EQ(mono.channels, 1);
  EXPECT_EQ(mono.samples, (std::vector<int16_t>{1, -2, 3}));
  const Pcm stereo = DecodeWav(MakeWav({5, 6, 7, 8}, 44100, 2), "stereo");
  EXPECT_EQ(stereo.channels, 2);
  EXPECT_EQ(stereo.Frames(), 2u);
}

std::vector<uint8_t> Seed(const std::string& name) {
  const auto bytes = ReadWholeFile(std::filesystem::path(SB_FUZZ_SEEDS) / name);
  EXPECT_TRUE(bytes) << name;
  return bytes.value_or(std::vector<uint8_t>{});
}

// A small WAV whose format chunk says something else.
std::vector<uint8_t> WavFormat(uint16_t tag, uint16_t channels, uint16_t blockAlign, uint16_t bits) {
  auto bytes = MakeWav({1, 2, 3, 4});
  auto put16 = [&](size_t at, uint16_t v) {
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(20, tag);
  put16(22, channels);
  put16(32, blockAlign);
  put16(34, bits);
  return bytes;
}

// Damaged files, and formats other than integer PCM, are refused before any
// decoder trusts what they claim: MPEG audio whose header promises 930,000
// frames once had the decoder ask for 4 GB.
TEST(WavDecoder, MalformedFilesAndOtherFormatsAreClearErrors) {
  auto truncated = MakeWav(std::vector<int16_t>(1000, 1));
  truncated.resize(truncated.size() - 100);
  auto noData = MakeWav({});
  noData.resize(36);
  auto badChunk = MakeWav({1, 2});
  badChunk[16] = 0xFF;  // the format chunk claims to run past the end
  badChunk[17] = 0xFF;
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* why;
  } cases[] = {{"empty", {}, "not a WAV file"},
               {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, "not a WAV file"},
               {"truncated data", truncated, "the sound data is truncated"},
               {"no data chunk", noData, "no sound data"},
               {"oversized chunk", badChunk, "a chunk is truncated"},
               {"five channels", MakeWav({1, 2, 3, 4, 5}, 22050, 5), "only mono and stereo sounds are supported"},
               {"MPEG audio", Seed("mpeg_layer3.wav"), "only PCM sound is supported"},
               {"IEEE float", WavFormat(3, 1, 4, 32), "only PCM sound is supported"},
               {"A-law", WavFormat(6, 1, 1, 8), "only PCM sound is supported"},
               {"extensible without its sub-format", WavFormat(0xFFFE, 1, 2, 16), "only PCM sound is supported"},
               {"12-bit samples", WavFormat(1, 1, 2, 12), "unusable sample size"},
               {"a block size that does not add up", WavFormat(1, 1, 3, 16), "the format does not add up"}};
  for (const auto& c : cases) {
    try {
      DecodeWav(c.bytes, "x.wav");
      ADD_FAILURE() << c.what << " decoded";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrBadFileFormat) << c.what;
      EXPECT_EQ(e.what(), std::string("Bad sound file x.wav: ") + c.why) << c.what;
    }
  }
}

// Recordings as other tools write them (8-bit, extensible as sox writes it,
// metadata before the data), and one whose metadata list has an inner size
// that wraps around, which once hung the decoder. They live with the
// fuzzer's seeds in tests/fuzz/seeds.
TEST(WavDecoder, ReadsPcmAsToolsWriteIt) {
  const struct {
    const char* file;
    int rate, channels;
    std::vector<int16_t> samples;
  } cases[] = {
      {"pcm16_mono.wav", 22050, 1, {0, 1000, 2000, 3000, -3000, -2000, -1000, 0}},
      {"pcm8_stereo.wav", 11025, 2, {0, 0, 32512, -32768, -16384, 16384}},
      {"extensible_stereo.wav", 48000, 2, {100, -100, 200, -200, 300, -300}},
      {"list_size_wraps.wav", 8000, 1, {0}},
  };
  for (const auto& c : cases) {
    const Pcm pcm = DecodeWav(Seed(c.file), c.file);
    EXPECT_EQ(pcm.rate, c.rate) << c.file;
    EXPECT_EQ(pcm.channels, c.channels) << c.file;
    EXPECT_EQ(pcm.samples, c.samples) << c.file;
  }
}

TEST(DiskSoundLibrary, LoadsOnceAndServesRepeatsFromMemory) {
  TempDir tree;
  tree.Write("sounds/laser.wav", MakeWav({10, 20, 30}));
  DiskSoundLibrary library(tree.path(), nullptr);
  const auto first = library.Load("sounds\\LASER.wav");
  std::filesystem::remove_all(tree.path() / "sounds");  // no file access from here on
  const auto again = library.Load("sounds/laser.wav");
  EXPECT_EQ(first.get(), again.get());
  EXPECT_EQ(again->samples, (std::vector<int16_t>{10, 20, 30}));
}

TEST(DiskSoundLibrary, MissingAndBrokenRecordingsRaiseErrors) {
  TempDir tree;
  tree.Write("sounds/broken.wav", {'R', 'I', 'F', 'F'});
  DiskSoundLibrary library(tree.path(), nullptr);
  try {
    library.Load("sounds\\gone.wav");
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrFileNotFound);
    EXPECT_STREQ(e.what(), "File not found: sounds/gone.wav");
  }
  EXPECT_THROW(library.Load("sounds/broken.wav"), RuntimeError);
  // A name that resolves to a folder is the program's own error too.
  try {
    library.Load("sounds");
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrFileIo);
    EXPECT_STREQ(e.what(), "Not a sound file: sounds");
  }
}

}  // namespace
}  // namespace sb
