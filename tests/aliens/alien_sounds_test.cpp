#include <gtest/gtest.h>

#include "alien_field.h"
#include "aliens/alien_sounds.h"

namespace sb::test {
namespace {

// A red alien flying with its shield sounding, one shot down, and a silver
// alien in the middle of its bomb run.
struct LiveWave : AlienField {
  LiveWave() {
    SetUp(Colour::Red, 2);
    SetUp(Colour::Silver, 1);
    Release(Colour::Red, 0);
    Release(Colour::Red, 1);
    Release(Colour::Silver, 0);
    red().ActionSound.Play(false);
    AlienRecord& gone = Alien(Colour::Red, 1);
    gone.Active = false;
    gone.Destroyed = true;
    StopSound(gone.Voice);
    silver().BombSounds[2].Play(false);
    silver().StepSounds[0].Play(false);
  }
  AlienRecord& red() { return Alien(Colour::Red, 0); }
  AlienRecord& silver() { return Alien(Colour::Silver, 0); }
  // The sounds a release gives the record, the voice playing.
  void Release(Colour c, int i) {
    AlienRecord& a = Fly(c, i, 3000, 1000);
    const bool isSilver = c == Colour::Silver;
    LoadSound(game, a.ActionSound, "sounds/shield.wav");
    if (isSilver) LoadSound(game, a.BombDropSound, "sounds/dropbomb.wav");
    LoadSound(game, a.StepSounds[0], "sounds/alstep1.wav");
    LoadSound(game, a.StepSounds[1], "sounds/alstep2.wav");
    for (int k = 0; isSilver && k < kBombCount; ++k) LoadSound(game, a.BombSounds[k], "sounds/bomb01.wav");
  }
};

TEST(AlienSounds, APauseMutesEveryLiveAlienAndTheSaucer) {
  LiveWave f;
  f.game.saucer.SaucerEnabled = true;
  LoadSound(f.game, f.game.saucer.PayloadSound, "sounds/saucer.wav");
  f.game.saucer.PayloadSound.Play(true);
  MuteAllAliens(f.game);
  for (const SoundBuffer* b : {&f.red().Voice, &f.red().ActionSound, &f.red().StepSounds[0], &f.red().StepSounds[1],
                               &f.silver().Voice, &f.game.saucer.PayloadSound}) {
    EXPECT_EQ(b->Volume(), -10000) << b->Name();
  }
  EXPECT_EQ(f.Alien(Colour::Red, 1).Voice.Volume(), 0) << "a destroyed alien is left alone";
  EXPECT_TRUE(f.red().Voice.IsPlaying()) << "muted, not stopped";

  RestoreSaucerAfterPause(f.game);
  EXPECT_EQ(f.game.saucer.PayloadSound.Volume(), 0);
}

TEST(AlienSounds, NoPauseMutesAnythingBetweenWaves) {
  LiveWave f;
  f.game.state.GameActive = false;
  MuteAllAliens(f.game);
  EXPECT_EQ(f.red().Voice.Volume(), 0);
}

TEST(AlienSounds, FreeingTheWavesSoundsLeavesNothingSounding) {
  LiveWave f;
  f.ClearLog();
  FreeAlienSounds(f.game);
  EXPECT_EQ(f.game.sound.GetMixer().ActiveVoices(), 0u);
  for (Colour c : {Colour::Red, Colour::Silver}) {
    for (const AlienRecord& a : f.Group(c).Aliens) {
      EXPECT_TRUE(a.Voice.Empty());
      EXPECT_TRUE(a.StepSounds[0].Empty());
      EXPECT_TRUE(a.StepSounds[1].Empty());
    }
  }
  EXPECT_TRUE(f.silver().ActionSound.Empty());
  EXPECT_TRUE(f.silver().BombDropSound.Empty());
  EXPECT_FALSE(f.red().ActionSound.Empty()) << "kept until the next wave sets red up";
  EXPECT_EQ(f.Log({"stop"}), (std::vector<std::string>{"stop sounds/ared.wav", "stop sounds/shield.wav",
                                                         "stop sounds/asilver.wav", "stop sounds/alstep1.wav",
                                                         "stop sounds/bomb01.wav"}));
}

}  // namespace
}  // namespace sb::test
