#include "hosts/mp3_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/runtime_error.h"

namespace sb {
namespace {

const std::filesystem::path kSeeds = SB_MP3_SEEDS;

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::unique_ptr<SoundStream> StreamOfBytes(std::string bytes) {
  return OpenMp3Stream(std::make_unique<std::istringstream>(std::move(bytes)), "test.mp3");
}

// Reads in pieces of an odd size; the samples' largest magnitude tells sound from silence.
struct ReadBack {
  size_t frames = 0;
  int loudest = 0;
};
ReadBack ReadAll(SoundStream& stream) {
  ReadBack out;
  std::vector<int16_t> piece(1000 * static_cast<size_t>(stream.Channels()));
  while (const size_t n = stream.Read(piece.data(), 1000)) {
    EXPECT_LE(n, 1000u);
    out.frames += n;
    for (size_t i = 0; i < n * static_cast<size_t>(stream.Channels()); ++i) {
      out.loudest = std::max(out.loudest, std::abs(static_cast<int>(piece[i])));
    }
  }
  EXPECT_EQ(stream.Read(piece.data(), 1000), 0u) << "an ended stream stays ended";
  return out;
}

TEST(Mp3Decoder, StreamsARecordingAtItsOwnRateAndChannels) {
  const struct {
    const char* file;
    int rate, channels;
    size_t frames;  // of the tone that was encoded
  } cases[] = {{"stereo_44100.mp3", 44100, 2, 22050}, {"mono_8000.mp3", 8000, 1, 2000}};
  for (const auto& c : cases) {
    const auto stream = OpenMp3File(kSeeds / c.file);
    EXPECT_EQ(stream->Rate(), c.rate) << c.file;
    EXPECT_EQ(stream->Channels(), c.channels) << c.file;
    const ReadBack back = ReadAll(*stream);
    // The encoder's delay and padding may be kept where the file does not tell them.
    EXPECT_GE(back.frames, c.frames - 100) << c.file;
    EXPECT_LE(back.frames, c.frames + 2 * 1152) << c.file;
    EXPECT_GT(back.loudest, 2000) << c.file << " decodes to the tone, not silence";
  }
}

TEST(Mp3Decoder, RefusesWhatHoldsNoMp3Sound) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"text", std::string(100000, 'x')},
      {"a wave file", Bytes(std::filesystem::path(SB_FUZZ_SEEDS) / "pcm16_mono.wav")},
      {"a tag and nothing after it", Bytes(kSeeds / "id3_tagged.mp3").substr(0, 42)},
  };
  for (const auto& c : cases) {
    try {
      StreamOfBytes(c.bytes);
      ADD_FAILURE() << c.name << " opened";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrBadFileFormat) << c.name;
      EXPECT_NE(std::string(e.what()).find("test.mp3"), std::string::npos) << e.what();
    }
  }
}

// A large run of junk before any sound (a huge tag) is given up on, not read to its end.
TEST(Mp3Decoder, GivesUpOnJunkWithoutEndWithoutReadingItAll) {
  std::stringbuf junk(std::string(64 * 1024 * 1024, '\x01'), std::ios::in);
  EXPECT_THROW(OpenMp3Stream(std::make_unique<std::istream>(&junk), "junk.mp3"), RuntimeError);
  EXPECT_LT(junk.pubseekoff(0, std::ios::cur, std::ios::in), 16 * 1024 * 1024);
}

TEST(Mp3Decoder, ACutFileEndsWhereItsSoundEnds) {
  const std::string whole = Bytes(kSeeds / "stereo_44100.mp3");
  const auto stream = StreamOfBytes(whole.substr(0, whole.size() / 2));
  const ReadBack back = ReadAll(*stream);
  EXPECT_GT(back.frames, 0u);
  EXPECT_LT(back.frames, 22050u);
}

TEST(Mp3Decoder, TagsBeforeTheSoundAreSkipped) {
  const auto stream = OpenMp3File(kSeeds / "id3_tagged.mp3");
  EXPECT_EQ(stream->Rate(), 44100);
  EXPECT_GT(ReadAll(*stream).frames, 0u);
}

TEST(Mp3Decoder, AMissingFileIsNotFound) {
  try {
    OpenMp3File(kSeeds / "no such file.mp3");
    ADD_FAILURE() << "opened";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrFileNotFound);
  }
}

}  // namespace
}  // namespace sb
