#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace sb {
namespace {

constexpr int kRate = 48000;

std::shared_ptr<Pcm> Constant(int16_t value, size_t frames, int rate = kRate, int channels = 1) {
  auto pcm = std::make_shared<Pcm>();
  pcm->rate = rate;
  pcm->channels = channels;
  pcm->samples.assign(frames * static_cast<size_t>(channels), value);
  return pcm;
}

std::vector<int16_t> Render(Mixer& mixer, size_t frames) {
  std::vector<int16_t> out(frames * 2);
  mixer.Render(out.data(), frames);
  return out;
}

// How many frames a voice plays before it stops, rendering in small blocks.
size_t FramesUntilStopped(Mixer& mixer, VoiceId voice, size_t block = 16, size_t limit = 1 << 22) {
  size_t played = 0;
  while ((mixer.Status(voice) & kStatusPlaying) && played < limit) {
    Render(mixer, block);
    played += block;
  }
  return played;
}

TEST(Gain, FollowsTwentyLogTenRule) {
  const struct {
    int32_t millibels;
    float gain;
  } cases[] = {{0, 1.0f}, {-100, 0.8913f}, {-600, 0.5012f}, {-2000, 0.1f}, {-6000, 0.001f}, {-10000, 0.0f},
               {-20000, 0.0f}};
  for (const auto& c : cases) EXPECT_NEAR(GainOfMillibels(c.millibels), c.gain, 1e-4) << c.millibels;
}

// Volume and pan in hundredths of a decibel, heard on rendered samples: the
// pan attenuates only the opposite channel and adds to the volume.
TEST(Mixer, VolumeAndPanSetChannelLevels) {
  const struct {
    int32_t volume, pan;
    double left, right;
  } cases[] = {
      {0, -10000, 1, 0},      {0, -2173, 1, 0.0819},  {0, -600, 1, 0.501},     {0, 0, 1, 1},
      {0, 870, 0.367, 1},     {0, 3000, 0.0316, 1},   {-1000, 2000, 0.0316, 0.316},
      {0, 10000, 0, 1},       {-600, 0, 0.501, 0.501}, {-10000, -3000, 0, 0},
  };
  for (const auto& c : cases) {
    Mixer mixer(kRate);
    const VoiceId v = mixer.CreateVoice(Constant(10000, 4800));
    mixer.SetVolume(v, c.volume);
    mixer.SetPan(v, c.pan);
    mixer.Play(v, false);
    const auto out = Render(mixer, 64);
    EXPECT_NEAR(out[20] / 10000.0, c.left, 0.002) << "vol " << c.volume << " pan " << c.pan;
    EXPECT_NEAR(out[21] / 10000.0, c.right, 0.002) << "vol " << c.volume << " pan " << c.pan;
  }
}

TEST(Mixer, OutOfRangeSettingsAreHeldToTheirLimits) {
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(Constant(1, 100));
  mixer.SetVolume(v, 300);
  EXPECT_EQ(mixer.Volume(v), 0);
  mixer.SetVolume(v, -20000);
  EXPECT_EQ(mixer.Volume(v), -10000);
  mixer.SetPan(v, 12000);
  EXPECT_EQ(mixer.Pan(v), 10000);
  mixer.SetFrequency(v, 500000);
  EXPECT_EQ(mixer.Frequency(v), kFrequencyMax);
  mixer.SetFrequency(v, 0);
  EXPECT_EQ(mixer.Frequency(v), static_cast<uint32_t>(kRate));
}

TEST(Mixer, DoubledFrequencyHalvesTheDuration) {
  Mixer mixer(kRate);
  const VoiceId normal = mixer.CreateVoice(Constant(100, 4800, 22050));
  mixer.Play(normal, false);
  const size_t atOwnRate = FramesUntilStopped(mixer, normal);

  const VoiceId fast = mixer.CreateVoice(Constant(100, 4800, 22050));
  mixer.SetFrequency(fast, 44100);
  mixer.Play(fast, false);
  const size_t atDoubleRate = FramesUntilStopped(mixer, fast);

  EXPECT_NEAR(static_cast<double>(atOwnRate), 4800.0 * kRate / 22050, 16);
  EXPECT_NEAR(static_cast<double>(atDoubleRate), atOwnRate / 2.0, 16);
}

TEST(Mixer, ResamplingInterpolatesBetweenFrames) {
  auto ramp = std::make_shared<Pcm>();
  ramp->rate = kRate / 2;  // every source frame lasts two output frames
  ramp->samples = {0, 1000, 2000, 3000};
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(ramp);
  mixer.Play(v, false);
  const auto out = Render(mixer, 6);
  const std::vector<int16_t> left = {out[0], out[2], out[4], out[6], out[8], out[10]};
  EXPECT_EQ(left, (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500}));
}

TEST(Mixer, OneShotStopsAtItsEndAndRewinds) {
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(Constant(7, 100));
  mixer.Play(v, false);
  const auto out = Render(mixer, 150);
  EXPECT_EQ(out[2 * 99], 7);
  EXPECT_EQ(out[2 * 100], 0);
  EXPECT_EQ(mixer.Status(v), 0u);
  EXPECT_EQ(mixer.Position(v), 0u);
  mixer.Play(v, false);  // a later play starts from the beginning again
  EXPECT_EQ(Render(mixer, 1)[0], 7);
}

TEST(Mixer, LoopingKeepsPlayingAcrossItsEnd) {
  auto pcm = std::make_shared<Pcm>();
  pcm->rate = kRate;
  pcm->samples = {1, 2, 3};
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(pcm);
  mixer.Play(v, true);
  const auto out = Render(mixer, 7);
  EXPECT_EQ((std::vector<int16_t>{out[0], out[2], out[4], out[6], out[8], out[10], out[12]}),
            (std::vector<int16_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_EQ(mixer.Status(v), kStatusPlaying | kStatusLooping);
  mixer.Play(v, false);  // the next end stops it
  Render(mixer, 3);
  EXPECT_EQ(mixer.Status(v), 0u);
}

TEST(Mixer, StopKeepsThePlaceAndPlayResumesThere) {
  auto pcm = std::make_shared<Pcm>();
  pcm->rate = kRate;
  for (int16_t i = 0; i < 100; ++i) pcm->samples.push_back(i);
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(pcm);
  mixer.Play(v, false);
  Render(mixer, 40);
  mixer.Stop(v);
  EXPECT_EQ(Render(mixer, 10)[0], 0) << "a stopped voice is silent";
  EXPECT_EQ(mixer.Position(v), 40u);
  mixer.Play(v, false);
  EXPECT_EQ(Render(mixer, 1)[0], 40);
  mixer.SetPosition(v, 0);
  EXPECT_EQ(Render(mixer, 1)[0], 0) << "position 0 rewinds";
}

TEST(Mixer, PlayingAgainDoesNotRestart) {
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(Constant(1, 1000));
  mixer.Play(v, false);
  Render(mixer, 300);
  mixer.Play(v, false);
  EXPECT_EQ(mixer.Position(v), 300u);
}

TEST(Mixer, StereoSourcesKeepTheirChannels) {
  auto pcm = std::make_shared<Pcm>();
  pcm->rate = kRate;
  pcm->channels = 2;
  pcm->samples = {100, -200, 100, -200, 100, -200};
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(pcm);
  mixer.Play(v, false);
  const auto out = Render(mixer, 2);
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[1], -200);
}

TEST(Mixer, LoudMixesClipInsteadOfWrapping) {
  for (const int16_t value : {int16_t{20000}, int16_t{-20000}}) {
    Mixer mixer(kRate);
    for (int i = 0; i < 3; ++i) mixer.Play(mixer.CreateVoice(Constant(value, 100)), false);
    EXPECT_EQ(Render(mixer, 1)[0], value > 0 ? 32767 : -32768);
  }
}

TEST(Mixer, AdvanceKeepsStatusTrueToTime) {
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(Constant(1, 22050, 22050));  // one second
  mixer.Play(v, false);
  mixer.Advance(kRate - 48);
  EXPECT_TRUE(mixer.Status(v) & kStatusPlaying);
  mixer.Advance(48);
  EXPECT_FALSE(mixer.Status(v) & kStatusPlaying);
  EXPECT_EQ(mixer.Position(v), 0u);
}

TEST(Mixer, DestroyedVoicesAreForgottenEvenWhenTheirSlotIsReused) {
  Mixer mixer(kRate);
  const VoiceId first = mixer.CreateVoice(Constant(1, 100));
  mixer.DestroyVoice(first);
  const VoiceId second = mixer.CreateVoice(Constant(2, 100));
  mixer.Play(first, true);  // a stale id does nothing
  EXPECT_EQ(mixer.Status(second), 0u);
  mixer.DestroyVoice(first);
  mixer.Play(second, false);
  EXPECT_EQ(Render(mixer, 1)[0], 2);
}

// The renderer on its own thread, as the audio device runs it, while the game
// thread works the voices. Under the sanitizers a recording freed while a
// render still reads it, or a torn update, shows here.
class RenderingThread {
 public:
  explicit RenderingThread(Mixer& mixer)
      : thread_([this, &mixer] {
          std::vector<int16_t> out(2 * 64);
          while (!stop_.load()) {
            mixer.Render(out.data(), 64);
            renders_.fetch_add(1);
          }
        }) {}
  ~RenderingThread() {
    stop_.store(true);
    thread_.join();
  }
  // Waits until the renderer has been round a few more times.
  void Wait(int renders) {
    const int until = renders_.load() + renders;
    while (renders_.load() < until) std::this_thread::yield();
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> renders_{0};
  std::thread thread_;
};

TEST(MixerThreads, AVoiceDestroyedDuringARenderKeepsItsRecordingUntilTheRenderEnds) {
  Mixer mixer(kRate);
  RenderingThread renderer(mixer);
  for (int i = 0; i < 3000; ++i) {
    const VoiceId v = mixer.CreateVoice(Constant(static_cast<int16_t>(i), 4096));
    ASSERT_TRUE(v.Valid());
    mixer.Play(v, true);
    if (i % 100 == 0) renderer.Wait(1);
    mixer.DestroyVoice(v);
  }
  renderer.Wait(2);
  const VoiceId last = mixer.CreateVoice(Constant(1, 10));
  EXPECT_LT(last.index, 1500u) << "the slots of destroyed voices are used again";
}

TEST(MixerThreads, APlaceSetWhileRenderingIsNeverOverwritten) {
  Mixer mixer(kRate);
  const VoiceId v = mixer.CreateVoice(Constant(1, 1 << 20));
  mixer.Play(v, true);
  RenderingThread renderer(mixer);
  for (uint32_t i = 0; i < 5000; ++i) {
    mixer.Stop(v);
    const uint32_t place = (i * 7919) % (1 << 20);
    mixer.SetPosition(v, place);
    renderer.Wait(1);  // a render that began before the Stop has ended
    ASSERT_EQ(mixer.Position(v), place) << "a render wrote over the place the game set";
    ASSERT_EQ(mixer.Status(v), 0u) << "a render restarted a stopped voice";
    mixer.Play(v, true);
  }
  renderer.Wait(2);
  EXPECT_EQ(mixer.Status(v), kStatusPlaying | kStatusLooping);
}

}  // namespace
}  // namespace sb
