#pragma once
// A special round on the simulated host: the start-up sounds loaded, the
// default keys, the ship at the centre. A test either sets a round up and
// calls its routines on objects it placed, or runs the whole round (whose
// set-up then finds the round already loaded and keeps what the test placed).

#include <string>

#include "player/player_rig.h"
#include "rounds/meteor_shower.h"
#include "rounds/round_common.h"
#include "rounds/sheep_drop.h"
#include "rounds/rounds.h"
#include "sound/sound_engine.h"

namespace sb::test {

struct RoundRig : PlayerRig {
  explicit RoundRig(const std::string& script = "", SimOptions options = {})
      : PlayerRig(script, Bounded(std::move(options))) {
    game.player.personalBest = 2'000'000'000;  // no score here passes the best
    game.state.Level = 2;
    game.state.Wave = 1;
  }

  void SetUpSheep() {
    SetUpSheepDrop(game);
    game.state.GameActive = true;
    ClearLog();
  }
  void SetUpMeteors() {
    SetUpMeteorShower(game);
    game.state.GameActive = true;
    ClearLog();
  }

  // An object falling at (x, y) as a drop leaves it, with its whistle looping.
  FallingObject& Drop(uint8_t index, int16_t x, int16_t y, bool clone) {
    SheepDropState& drop = game.sheepDrop;
    FallingObject& object = drop.objects[index];
    object.Active = true;
    object.X = x;
    object.Y = y;
    object.IsClone = clone;
    LoadSound(game, object.Voice, clone ? "sounds/clone1.wav" : "sounds/sheep1.wav");
    LoadSound(game, object.FallSound, "sounds/dropfall.wav");
    object.FallSound.Play(true);
    if (drop.DropCount <= index) drop.DropCount = static_cast<uint8_t>(index + 1);
    return object;
  }

  // A meteor falling at (x, y), its voice looping.
  Meteor& DropMeteorAt(uint8_t index, int16_t x, int16_t y) {
    MeteorShowerState& shower = game.meteorShower;
    Meteor& meteor = shower.meteors[index];
    meteor.Active = true;
    meteor.X = x;
    meteor.Y = y;
    LoadSound(game, meteor.Voice, "sounds/metdrop.wav");
    meteor.Voice.Play(true);
    if (shower.MeteorCount <= index) shower.MeteorCount = static_cast<uint8_t>(index + 1);
    return meteor;
  }

  // Passes of one routine until the clock reads `ms` or the round has ended.
  template <typename Pass>
  void Passes(int32_t ms, Pass pass) {
    while (host.Ticks() < ms && game.state.GameActive) {
      host.Yield();
      pass();
    }
  }

  // Once a round is over nothing of it is left: its buffers are released,
  // and once what was said has been said nothing sounds but the edge
  // ambience, silenced until the ship nears a wall.
  void ExpectRoundSilent(const std::string& name) {
    host.AdvanceMs(2000);
    const GameSounds& sounds = game.sounds;
    EXPECT_EQ(game.sound.GetMixer().ActiveVoices(), sounds.nightLife.IsPlaying() ? 1u : 0u) << name;
    EXPECT_EQ(sounds.nightLife.Volume(), kVolumeMin) << name;
    EXPECT_FALSE(game.state.ShieldActive) << name;
    const SheepDropState& drop = game.sheepDrop;
    const MeteorShowerState& shower = game.meteorShower;
    EXPECT_FALSE(drop.loaded || shower.loaded) << name;
    for (const RoundCommon* common : {&drop.common, &shower.common}) {
      EXPECT_TRUE(common->tractor.Sound.Empty() && common->monkeyMusic.Empty() && common->monkey.Voice.Empty() &&
                  common->monkey.FallSound.Empty())
          << name;
    }
    EXPECT_TRUE(drop.cargoShip.Empty() && drop.cargoHit.Empty() && shower.alert.Empty()) << name;
    for (int i = 0; i < kRoundRecords; ++i) {
      EXPECT_TRUE(drop.objects[i].Voice.Empty() && drop.objects[i].FallSound.Empty()) << name << " " << i;
      EXPECT_TRUE(shower.meteors[i].Voice.Empty() && shower.meteors[i].FallSound.Empty()) << name << " " << i;
    }
  }
};

}  // namespace sb::test
