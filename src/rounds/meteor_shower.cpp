#include "rounds/meteor_shower.h"

#include <algorithm>
#include <cstdlib>

#include "game/game.h"
#include "game/stop_game_sounds.h"
#include "game/tally_ticks.h"
#include "input/input.h"
#include "player/controls.h"
#include "player/laser_gate.h"
#include "player/ship.h"
#include "rounds/round_common.h"
#include "rounds/rounds.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kDropInterval = 1500;
constexpr int32_t kShotReach = 250;  // a shot reaches this far to each side
constexpr int32_t kFireReach = 250;  // a burning crater hurts a ship this near
constexpr uint8_t kStrikeDamage = 20;
constexpr uint8_t kLowRoundEnergy = 40;  // below this the game warns
constexpr int64_t kMeteorShotPoints = 10000;

constexpr size_t kMeteorShowerSounds = 2 * kRoundRecords + 1 + 4;

std::array<SoundBuffer*, kMeteorShowerSounds> MeteorShowerSounds(MeteorShowerState& shower) {
  std::array<SoundBuffer*, kMeteorShowerSounds> sounds{};
  size_t n = 0;
  for (Meteor& meteor : shower.meteors) {
    sounds[n++] = &meteor.Voice;
    sounds[n++] = &meteor.FallSound;
  }
  sounds[n++] = &shower.alert;
  for (SoundBuffer* sound : CommonSounds(shower.common)) sounds[n++] = sound;
  return sounds;
}

void PauseMeteorShower(Game& game) {
  const auto sounds = MeteorShowerSounds(game.meteorShower);
  PauseScene(game, sounds);
}

// The explosion of the landing is heard first, then the fire.
void Impact(Game& game, Meteor& meteor) {
  meteor.Landed = true;
  MuteSound(meteor.Voice);
  StopSound(meteor.Voice);
  LoadSound(game, meteor.Voice, "sounds/metrexpl.wav");
  meteor.Voice.SetPan(meteor.X - game.state.ShipX);
  meteor.Voice.SetVolume(0);
  meteor.Voice.Play(false);
}

void CatchFire(Game& game, Meteor& meteor) {
  meteor.Burning = true;
  meteor.Resolved = true;
  LoadSound(game, meteor.Voice, "sounds/metrfire.wav");
  meteor.Voice.SetPan(meteor.X - game.state.ShipX);
  meteor.Voice.SetVolume(DistanceVolume(game, meteor.X));
  meteor.Voice.Play(true);
  meteor.BurnTick.Start(game.host.Ticks());
}

// The round ends at the first laser press that finds all thirty meteors shot
// or burning (or burnt out).
void CheckAllMeteorsResolved(Game& game) {
  const MeteorShowerState& shower = game.meteorShower;
  for (uint8_t i = 0; i < kRoundObjects; ++i) {
    if (!shower.meteors[i].Resolved) return;
  }
  TallyMeteorShower(game);
}

}  // namespace

void MeteorShowerRound(Game& game) {
  const RadarOnScreen radar(game, RadarScene::MeteorShower);
  // Whatever way the round ends, its sounds go with it.
  ReleaseOnExit<ReleaseMeteorShower> release{game};
  SetUpMeteorShower(game);
  GameState& state = game.state;
  MeteorShowerState& shower = game.meteorShower;
  state.GameActive = true;
  while (state.GameActive) {
    if (!BeginRoundPass(game)) break;
    RunStep([&] { MeteorControls(game); });
    RunStep([&] { MoveShip(game); });
    RunStep([&] { DropMeteor(game); });
    RunStep([&] { UpdateMeteor(game); });
    RunStep([&] { DropMeteorMonkey(game); });
    RunStep([&] { UpdateMeteorMonkey(game); });
    RunStep([&] { MeteorStrike(game); });
    RunStep([&] { ServeTractor(game, shower.common.tractor, MeteorTractorBeam); });
  }
}

void SetUpMeteorShower(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (shower.loaded) return;
  shower = MeteorShowerState{};
  shower.loaded = true;
  LoadSound(game, shower.common.tractor.Sound, "sounds/tractor.wav");
  LoadSound(game, shower.common.monkeyMusic, "sounds/mbmusic.wav");
  LoadSound(game, shower.alert, "sounds/alert.wav");
  shower.RoundEnergy = static_cast<uint8_t>(std::clamp<int>(game.state.Energy, 0, 255));
  game.sounds.nightLife.SetVolume(kVolumeMin);
  game.sounds.nightLife.Play(true);
}

void MeteorControls(Game& game) {
  PlayerControls(game, {.fire = FireInMeteorShower,
                        .pause = PauseMeteorShower,
                        .tractor = [](Game& g) { ToggleTractor(g.meteorShower.common.tractor); },
                        .energy = &game.meteorShower.RoundEnergy});
}

void DropMeteor(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive || shower.MeteorCount >= kRoundObjects) return;
  if (!shower.DropTick.MoreThan(game.host.Ticks(), kDropInterval)) return;
  if (RandomSpread(game, 1, 10) < 5) {
    Meteor& meteor = shower.meteors[shower.MeteorCount];
    meteor.Active = true;
    meteor.Y = kDropY;
    meteor.X = static_cast<int16_t>(RandomSpread(game, 100, 9400));
    const int32_t pan = meteor.X - game.state.ShipX;
    LoadSound(game, meteor.Voice, "sounds/metdrop.wav");
    meteor.Voice.SetPan(pan);
    meteor.Voice.SetVolume(FallVolume(meteor.Y));
    meteor.Voice.Play(true);
    LoadSound(game, meteor.FallSound, "sounds/dropfall.wav");
    meteor.FallSound.SetPan(pan);
    meteor.FallSound.SetVolume(FallVolume(meteor.Y));
    ++shower.MeteorCount;
  }
  shower.DropTick.Start(game.host.Ticks());
}

void UpdateMeteor(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive) return;
  Meteor& meteor = shower.meteors[shower.NextMeteor % kRoundObjects];
  const int32_t now = game.host.Ticks();
  if (meteor.LastTick.MoreThan(now, shower.StepMs)) {
    if (meteor.Active && !meteor.Landed) {
      meteor.Y = static_cast<int16_t>(meteor.Y + 10 * game.state.Difficulty);
      meteor.Voice.SetPan(meteor.X - game.state.ShipX);
      meteor.Voice.SetVolume(VolumeForHeight(game, meteor.Y));
      meteor.Voice.SetFrequency(FallFrequency(meteor.Y));
    }
    if (meteor.Y > kGroundY && !meteor.Landed && !meteor.Resolved) Impact(game, meteor);
    if (meteor.Landed && !meteor.Burning && !meteor.BurntOut && !meteor.Voice.IsPlaying()) CatchFire(game, meteor);
    if (meteor.Burning && !meteor.BurntOut) {
      if (meteor.BurnTick.MoreThan(now, 6000 + 1000 * game.state.Difficulty)) {
        meteor.BurntOut = true;
        meteor.Voice.SetVolume(kVolumeMin);
        StopSound(meteor.Voice);
        meteor.BurnTick.Start(now);
      }
    }
    meteor.LastTick.Start(now);
  }
  RepanMeteors(game);
  shower.NextMeteor = static_cast<uint8_t>((shower.NextMeteor + 1) % kRoundObjects);
}

// Every meteor not shot, in the air or on the ground, placed by its height
// (on the ground that is full volume).
void RepanMeteors(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive) return;
  for (uint8_t i = 0; i < kRoundObjects; ++i) {
    Meteor& meteor = shower.meteors[i];
    if (!meteor.Active) continue;
    const int32_t pan = meteor.X - game.state.ShipX;
    const int32_t volume = VolumeForHeight(game, meteor.Y);
    meteor.FallSound.SetPan(pan);
    meteor.FallSound.SetVolume(volume);
    meteor.Voice.SetPan(pan);
    meteor.Voice.SetVolume(volume);
  }
}

void DropMeteorMonkey(Game& game) {
  if (game.state.GameActive) DropMonkey(game, game.meteorShower.common, std::nullopt);
}

void UpdateMeteorMonkey(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (game.state.GameActive && UpdateMonkey(game, shower.common.monkey, shower.StepMs)) RepanMeteors(game);
}

void MeteorStrike(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive || shower.alert.IsPlaying()) return;
  const auto burning = std::find_if(shower.meteors.begin(), shower.meteors.begin() + shower.MeteorCount,
                                    [&](const Meteor& m) {
                                      return m.Burning && !m.BurntOut && WithinReach(game, m.X, kFireReach);
                                    });
  if (burning == shower.meteors.begin() + shower.MeteorCount) return;
  shower.alert.Play(false);
  if (shower.RoundEnergy <= kStrikeDamage) {
    PlaySound(game, "sounds/d_energy.wav", 0, true);
    ReleaseMeteorShower(game);
    TallyMeteorShower(game);
    return;
  }
  shower.RoundEnergy = static_cast<uint8_t>(shower.RoundEnergy - kStrikeDamage);
  if (shower.RoundEnergy < kLowRoundEnergy) PlaySound(game, "sounds/d_destr.wav", 0, false);
}

void FireInMeteorShower(Game& game) {
  const LaserTargets targets{.straight = [](Game& g) {
    if (g.meteorShower.MeteorCount > 0) ShootMeteor(g);
  }};
  if (FireLaser(game, targets)) CheckAllMeteorsResolved(game);
}

// One shot destroys one meteor: the earliest dropped within reach and still in the air.
void ShootMeteor(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive) return;
  for (uint8_t i = 0; i < shower.MeteorCount && i < kRoundObjects; ++i) {
    Meteor& meteor = shower.meteors[i];
    if (!meteor.Active || meteor.Landed || !WithinReach(game, meteor.X, kShotReach)) continue;
    StopSound(meteor.Voice);
    StopSound(meteor.FallSound);
    meteor.Active = false;
    meteor.Resolved = true;
    LoadSound(game, meteor.Voice, "sounds/explode.wav");
    meteor.Voice.SetVolume(BlastVolume(meteor.Y));
    meteor.Voice.Play(false);
    ++shower.MeteorsShot;
    return;
  }
}

void MeteorTractorBeam(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!game.state.GameActive) return;
  if (!shower.common.tractor.Active) {
    SwitchTractorOn(shower.common.tractor);
    return;
  }
  CatchMonkey(game, shower.common);
}

void TallyMeteorShower(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  WaitSince(game, game.host.Ticks(), 2000);
  game.state.GameActive = false;
  ReleaseMeteorShower(game);
  PlaySoundStereo(game, "sounds/d_wavcom.wav", 0, true);
  SoundBuffer counter;
  if (shower.MeteorsShot >= 1) {
    LoadSound(game, counter, "sounds/mexpshrt.wav");
    PlaySound(game, "sounds/d_meshot.wav", 0, true);
    CountRoundTicks(game, counter, shower.MeteorsShot, kMeteorShotPoints);
    PlaySound(game, "sounds/explode.wav", 0, true);
  }
  FreeSound(counter);
}

void ReleaseMeteorShower(Game& game) {
  MeteorShowerState& shower = game.meteorShower;
  if (!shower.loaded) return;
  shower.loaded = false;
  shower.common.tractor.Active = false;
  const auto sounds = MeteorShowerSounds(shower);
  EndSceneSounds(game, NightLife::Mute, sounds);
}

}  // namespace sb
