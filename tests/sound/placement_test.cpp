#include <gtest/gtest.h>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "hosts/virtual_sound_library.h"
#include "platform/runtime_error.h"
#include "sound/sound_engine.h"

namespace sb {
namespace {

struct Placement : ::testing::Test {
  SimHost host{SimOptions{}};
  Game game{host};
};

TEST_F(Placement, VolumeForHeightAtItsBoundaries) {
  const struct {
    int32_t y, volume;
  } cases[] = {{179, 0},       {180, -2000},  {735, -1500}, {1289, -1001}, {1290, -1000},
               {4065, -750},   {6840, -500},  {6841, 0},    {-5, 0},       {20000, 0}};
  for (const auto& c : cases) EXPECT_EQ(VolumeForHeight(game, c.y), c.volume) << "y " << c.y;
}

TEST_F(Placement, DistanceRoundsAndGameOverFlattensPlacement) {
  EXPECT_EQ(Distance(game, 0, 0, 3, 4), 5);
  EXPECT_EQ(Distance(game, 100, 100, 101, 101), 1);  // 1.414...
  EXPECT_EQ(Distance(game, 0, 0, 1, 1) + Distance(game, 0, 0, 2, 2), 4);  // 1.41 -> 1, 2.83 -> 3
  game.state.GameOver = true;
  EXPECT_EQ(Distance(game, 0, 0, 3, 4), 0);
  EXPECT_EQ(VolumeForHeight(game, 180), 0);
}

TEST_F(Placement, EmptyBuffersAcceptEveryOperation) {
  SoundBuffer empty;
  StopSound(empty);
  MuteSound(empty);
  RestartSound(empty);
  empty.SetPan(100);
  empty.SetFrequency(22050);
  FreeSound(empty);
  EXPECT_FALSE(empty.IsPlaying());
  EXPECT_EQ(empty.Volume(), 0);
}

TEST_F(Placement, LoadSoundReplacesTheBufferAndFailureLeavesItEmpty) {
  host.VirtualSounds()->SetMissing("sounds/none.wav");
  SoundBuffer buffer;
  LoadSound(game, buffer, "sounds/laser.wav");
  ASSERT_FALSE(buffer.Empty());
  buffer.Play(true);
  EXPECT_THROW(LoadSound(game, buffer, "sounds/none.wav"), RuntimeError);
  EXPECT_TRUE(buffer.Empty());
  EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), 0u) << "the old buffer went with the variable";
}

}  // namespace
}  // namespace sb
