// What the host does about its sound output as devices come and go, on a
// clock the test moves by hand.

#include "hosts/audio_device_watch.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

constexpr const char* kHeadset = "USB Headset Analog Stereo";

TEST(AudioDeviceWatch, NothingToDoWhilePlaying) {
  for (const bool chosen : {false, true}) {
    AudioDeviceWatch watch(kHeadset);
    watch.Opened(chosen);
    watch.Added("HDMI Output", 10);  // another output is no reason to move
    EXPECT_EQ(watch.Due(10), AudioMove::None);
    EXPECT_EQ(watch.Due(100000), AudioMove::None);
  }
}

TEST(AudioDeviceWatch, ALostDeviceIsReplacedByTheDefaultAtOnce) {
  for (const char* chosen : {"", kHeadset}) {
    SCOPED_TRACE(chosen);
    AudioDeviceWatch watch(chosen);
    watch.Opened(*chosen != '\0');
    watch.Lost(5000);
    EXPECT_TRUE(watch.Silent());
    EXPECT_EQ(watch.Due(5000), AudioMove::ToDefault);
    watch.Opened(false);
    EXPECT_FALSE(watch.Silent());
    EXPECT_EQ(watch.Due(5001), AudioMove::None);
  }
}

// No device opens: one attempt a second, and none in between, so a silent
// game does not spend its passes on opening devices.
TEST(AudioDeviceWatch, WithNoDeviceItTriesOnceASecond) {
  AudioDeviceWatch watch("");
  watch.Opened(false);
  watch.Lost(1000);
  int32_t now = 1000;
  for (int attempt = 0; attempt < 3; ++attempt) {
    ASSERT_EQ(watch.Due(now), AudioMove::ToDefault) << attempt;
    watch.Failed(now);
    EXPECT_EQ(watch.Due(now), AudioMove::None);
    EXPECT_EQ(watch.Due(now + AudioDeviceWatch::kRetryMs - 1), AudioMove::None);
    now += AudioDeviceWatch::kRetryMs;
  }
  EXPECT_TRUE(watch.Silent());
  // A new output needs no wait for the next second.
  watch.Added("Speakers", now + 10);
  EXPECT_EQ(watch.Due(now + 10), AudioMove::ToDefault);
}

TEST(AudioDeviceWatch, RetriesSurviveTheClockWrapping) {
  AudioDeviceWatch watch("");
  const int32_t late = INT32_MAX - 300;
  watch.Lost(late);
  watch.Failed(late);
  EXPECT_EQ(watch.Due(late + 299), AudioMove::None);
  EXPECT_EQ(watch.Due(INT32_MIN + 699), AudioMove::ToDefault);  // 1000 ms after, past the wrap
}

// The chosen output appears while the game plays elsewhere: on the default
// after a loss, on the default it fell back to at the start, or silent.
TEST(AudioDeviceWatch, TheChosenDeviceIsTakenBackWhenItAppears) {
  struct Case {
    const char* name;
    bool lost;  // silent when it appears
  };
  for (const Case c : {Case{"on the default", false}, Case{"silent", true}}) {
    SCOPED_TRACE(c.name);
    AudioDeviceWatch watch(kHeadset);
    watch.Opened(false);
    if (c.lost) {
      watch.Lost(100);
      watch.Failed(100);
    }
    watch.Added(kHeadset, 400);
    EXPECT_EQ(watch.Due(400), AudioMove::ToChosen);
    watch.Opened(true);
    EXPECT_TRUE(watch.OnChosen());
    EXPECT_EQ(watch.Due(5000), AudioMove::None);
  }
}

TEST(AudioDeviceWatch, NoMoveWithoutAChosenDeviceOrWhenAlreadyOnIt) {
  AudioDeviceWatch unnamed("");
  unnamed.Opened(false);
  unnamed.Added("", 10);
  EXPECT_EQ(unnamed.Due(10), AudioMove::None);

  AudioDeviceWatch onIt(kHeadset);
  onIt.Opened(true);
  onIt.Added(kHeadset, 10);  // SDL announces every output when it starts
  EXPECT_EQ(onIt.Due(10), AudioMove::None);
}

// The chosen output is announced but will not open: the game stays on the
// default, or, silent, goes on trying the default.
TEST(AudioDeviceWatch, AChosenDeviceThatWillNotOpenIsNotTriedAgainAndAgain) {
  AudioDeviceWatch playing(kHeadset);
  playing.Opened(false);
  playing.Added(kHeadset, 10);
  ASSERT_EQ(playing.Due(10), AudioMove::ToChosen);
  playing.Failed(10);
  EXPECT_EQ(playing.Due(11), AudioMove::None);
  EXPECT_FALSE(playing.Silent());

  AudioDeviceWatch silent(kHeadset);
  silent.Opened(true);
  silent.Lost(10);
  silent.Added(kHeadset, 20);
  ASSERT_EQ(silent.Due(20), AudioMove::ToChosen);
  silent.Failed(20);
  EXPECT_EQ(silent.Due(20), AudioMove::ToDefault);
}

}  // namespace
}  // namespace sb
