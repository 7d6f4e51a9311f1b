#include "rounds/sheep_drop.h"

#include <cstdlib>
#include <string_view>
#include <utility>

#include "game/game.h"
#include "game/stop_game_sounds.h"
#include "game/scoring.h"
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

constexpr int32_t kCargoStepInterval = 25;
constexpr int16_t kCargoStep = 50;
constexpr int16_t kCargoLeftTurn = 100;
constexpr int16_t kCargoRightTurn = 9250;
constexpr int16_t kMidField = 4750;  // passing it for the first time starts the drops
constexpr int32_t kDropInterval = 2000;
constexpr int32_t kCargoReach = 435;  // the cargo ship is this wide to each side
constexpr int16_t kSheepLost = 3;     // one more sheep landed or shot ends the round
constexpr uint8_t kClonesCaughtAllowed = 4;  // the next clone caught ends the round
constexpr int64_t kCargoHitPoints = 2500;
constexpr int64_t kCloneShotPoints = 1000;
constexpr int64_t kSheepSavedPoints = 10000;

constexpr std::string_view kSheepVoices[] = {"sounds/sheep1.wav", "sounds/sheep2.wav", "sounds/sheep3.wav",
                                             "sounds/sheep4.wav"};
constexpr std::string_view kCloneVoices[] = {"sounds/clone1.wav", "sounds/clone2.wav", "sounds/clone3.wav",
                                             "sounds/clone4.wav"};
constexpr std::string_view kCargoHits[] = {"sounds/cargimp1.wav", "sounds/cargimp2.wav", "sounds/cargimp3.wav"};

constexpr size_t kSheepDropSounds = 2 * kRoundRecords + 2 + 4;

std::array<SoundBuffer*, kSheepDropSounds> SheepDropSounds(SheepDropState& drop) {
  std::array<SoundBuffer*, kSheepDropSounds> sounds{};
  size_t n = 0;
  for (FallingObject& object : drop.objects) {
    sounds[n++] = &object.Voice;
    sounds[n++] = &object.FallSound;
  }
  sounds[n++] = &drop.cargoShip;
  sounds[n++] = &drop.cargoHit;
  for (SoundBuffer* sound : CommonSounds(drop.common)) sounds[n++] = sound;
  return sounds;
}

void PauseSheepDrop(Game& game) {
  const auto sounds = SheepDropSounds(game.sheepDrop);
  PauseScene(game, sounds);
}

// A sheep hitting the ground is lost (the fourth ends the round); a clone
// hitting it just explodes.
void Land(Game& game, FallingObject& object) {
  SheepDropState& drop = game.sheepDrop;
  object.Landed = true;
  StopSound(object.Voice);
  StopSound(object.FallSound);
  LoadSound(game, object.Voice, object.IsClone ? std::string_view("sounds/explode.wav") : RandomImpact(game));
  object.Voice.SetPan(object.X - game.state.ShipX);
  object.Voice.SetVolume(DistanceVolume(game, object.X));
  object.Voice.Play(false);
  if (object.IsClone) return;
  PlayRandomExplosion(game);
  if (drop.SheepLanded < kSheepLost) {
    ++drop.SheepLanded;
  } else {
    TallySheepDrop(game);
  }
}

// No longer falling: shot or caught.
void Resolve(FallingObject& object) {
  StopSound(object.Voice);
  StopSound(object.FallSound);
  object.Active = false;
  object.Resolved = true;
}

void PlayBlast(Game& game, FallingObject& object, std::string_view file) {
  LoadSound(game, object.Voice, file);
  object.Voice.SetVolume(BlastVolume(object.Y));
  object.Voice.Play(false);
}

// A sheep caught is saved; a clone caught explodes, and the fifth ends the
// round once its explosion has been heard.
void Catch(Game& game, FallingObject& object) {
  SheepDropState& drop = game.sheepDrop;
  Resolve(object);
  if (!object.IsClone) {
    LoadSound(game, object.Voice, "sounds/shpsuck.wav");
    object.Voice.Play(false);
    ++drop.SheepSaved;
  } else {
    PlayBlast(game, object, "sounds/explode.wav");
    if (drop.ClonesCaught < kClonesCaughtAllowed) {
      ++drop.ClonesCaught;
    } else {
      while (object.Voice.IsPlaying()) game.host.Yield();
      TallySheepDrop(game);
    }
    // The warning of one clone more is for a round that goes on.
    if (game.state.GameActive && drop.ClonesCaught >= kClonesCaughtAllowed) {
      PlaySound(game, "sounds/d_destr.wav", 0, false);
    }
  }
  SwitchTractorOff(drop.common.tractor);
}

// The round ends at the first laser press that finds every object shot or caught.
void CheckAllObjectsResolved(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  for (uint8_t i = 0; i < drop.ObjectCount; ++i) {
    if (!drop.objects[i].Resolved) return;
  }
  TallySheepDrop(game);
}

}  // namespace

void SheepDropRound(Game& game) {
  const RadarOnScreen radar(game, RadarScene::SheepDrop);
  // Whatever way the round ends, its sounds go with it.
  ReleaseOnExit<ReleaseSheepDrop> release{game};
  SetUpSheepDrop(game);
  GameState& state = game.state;
  SheepDropState& drop = game.sheepDrop;
  state.GameActive = true;
  while (state.GameActive) {
    if (!BeginRoundPass(game)) break;
    RunStep([&] { MoveCargoShip(game); });
    RunStep([&] { SheepDropControls(game); });
    RunStep([&] { MoveShip(game); });
    if (drop.DropsEnabled) {
      RunStep([&] { DropSheepOrClone(game); });
      RunStep([&] {
        if (state.GameActive) DropMonkey(game, drop.common, drop.CargoShipX);
      });
    }
    RunStep([&] { UpdateFallingObject(game); });
    RunStep([&] {
      if (state.GameActive && UpdateMonkey(game, drop.common.monkey, drop.StepMs)) RepanFallingObjects(game);
    });
    RunStep([&] { ServeTractor(game, drop.common.tractor, TractorBeam); });
  }
}

void SetUpSheepDrop(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (drop.loaded) return;
  SheepDropState fresh;
  fresh.CargoShipX = drop.CargoShipX;
  fresh.DropsEnabled = drop.DropsEnabled;
  drop = std::move(fresh);
  drop.loaded = true;
  LoadSound(game, drop.cargoShip, "sounds/cargship.wav");
  LoadSound(game, drop.common.tractor.Sound, "sounds/tractor.wav");
  LoadSound(game, drop.common.monkeyMusic, "sounds/mbmusic.wav");
  drop.cargoShip.Play(true);
  game.sounds.nightLife.SetVolume(kVolumeMin);
  game.sounds.nightLife.Play(true);
}

// The cargo ship crosses the sky and turns at either end (standing still for
// the step in which it turns).
void MoveCargoShip(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive || !drop.CargoStepTick.MoreThan(game.host.Ticks(), kCargoStepInterval)) return;
  if (!drop.CargoShipLeft) {
    if (!drop.DropsEnabled && drop.CargoShipX > kMidField) drop.DropsEnabled = true;
    if (drop.CargoShipX < kCargoRightTurn) {
      drop.CargoShipX = static_cast<int16_t>(drop.CargoShipX + kCargoStep);
    } else {
      drop.CargoShipLeft = true;
    }
  } else if (drop.CargoShipX > kCargoLeftTurn) {
    drop.CargoShipX = static_cast<int16_t>(drop.CargoShipX - kCargoStep);
  } else {
    drop.CargoShipLeft = false;
  }
  drop.cargoShip.SetPan(drop.CargoShipX - game.state.ShipX);
  drop.CargoStepTick.Start(game.host.Ticks());
}

void SheepDropControls(Game& game) {
  PlayerControls(game, {.fire = FireInSheepDrop,
                        .pause = PauseSheepDrop,
                        .tractor = [](Game& g) { ToggleTractor(g.sheepDrop.common.tractor); }});
}

void DropSheepOrClone(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive) return;
  if (drop.DropCount >= kRoundObjects) {
    TallySheepDrop(game);
    return;
  }
  if (!drop.DropTick.MoreThan(game.host.Ticks(), kDropInterval)) return;
  if (RandomSpread(game, 1, 10) < 5) {
    FallingObject& object = drop.objects[drop.DropCount];
    object.Active = true;
    object.Y = kDropY;
    object.X = drop.CargoShipX;
    object.IsClone = RandomSpread(game, 1, 10) >= 5;
    const auto& voices = object.IsClone ? kCloneVoices : kSheepVoices;
    LoadSound(game, object.Voice, voices[RandomSpread(game, 1, 4) - 1]);
    LoadSound(game, object.FallSound, "sounds/dropfall.wav");
    object.FallSound.SetPan(object.X - game.state.ShipX);
    object.FallSound.SetVolume(FallVolume(object.Y));
    object.FallSound.Play(true);
    ++drop.DropCount;
  }
  drop.DropTick.Start(game.host.Ticks());
}

// A falling object comes down 10 units per difficulty each time its record
// comes round, so its speed follows the rate of passes.
void UpdateFallingObject(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive) return;
  if (drop.NextObject >= drop.ObjectCount) {
    drop.NextObject = 0;
    return;
  }
  FallingObject& object = drop.objects[drop.NextObject];
  const int32_t now = game.host.Ticks();
  if (object.LastTick.MoreThan(now, drop.StepMs)) {
    if (object.Active && !object.Landed) {
      object.Y = static_cast<int16_t>(object.Y + 10 * game.state.Difficulty);
      const int32_t pan = object.X - game.state.ShipX;
      object.FallSound.SetPan(pan);
      object.FallSound.SetVolume(VoiceVolume(object.Y));
      object.Voice.SetPan(pan);
      object.Voice.SetVolume(VoiceVolume(object.Y));
      object.FallSound.SetFrequency(FallFrequency(object.Y));
      if (RandomSpread(game, 1, 100) < 4 && !object.Voice.IsPlaying()) object.Voice.Play(false);
    }
    if (object.Y > kGroundY && !object.Landed && !object.Resolved) Land(game, object);
    object.LastTick.Start(now);
  }
  RepanFallingObjects(game);
  ++drop.NextObject;
}

// The whistle of each fall at its fall volume, its voice at the voice volume.
void RepanFallingObjects(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive) return;
  for (uint8_t i = 0; i < drop.ObjectCount; ++i) {
    FallingObject& object = drop.objects[i];
    if (!object.Active || object.Landed || object.Resolved) continue;
    const int32_t pan = object.X - game.state.ShipX;
    object.FallSound.SetPan(pan);
    object.FallSound.SetVolume(FallVolume(object.Y));
    object.Voice.SetPan(pan);
    object.Voice.SetVolume(VoiceVolume(object.Y));
  }
}

void FireInSheepDrop(Game& game) {
  const LaserTargets targets{.straight = [](Game& g) {
    if (g.sheepDrop.DropCount > 0) ShootFallingObject(g);
    ShootCargoShip(g);
  }};
  if (FireLaser(game, targets)) CheckAllObjectsResolved(game);
}

// One shot hits one object: the earliest dropped within reach.
void ShootFallingObject(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive) return;
  for (uint8_t i = 0; i < drop.DropCount && i < kRoundObjects; ++i) {
    FallingObject& object = drop.objects[i];
    if (!object.Active || object.Landed || !WithinReach(game, object.X)) continue;
    Resolve(object);
    if (object.IsClone) {
      PlayBlast(game, object, "sounds/explode.wav");
      ++drop.ClonesShot;
    } else {
      PlayBlast(game, object, "sounds/shpexpl.wav");
      if (drop.SheepShot >= kSheepLost) {
        TallySheepDrop(game);
      } else {
        ++drop.SheepShot;
      }
    }
    return;
  }
}

// Every hit on the cargo ship pays.
void ShootCargoShip(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive || !WithinReach(game, drop.CargoShipX, kCargoReach)) return;
  LoadSound(game, drop.cargoHit, kCargoHits[RandomSpread(game, 1, 3) - 1]);
  drop.cargoHit.Play(false);
  AddScore(game, kCargoHitPoints);
}

// One scan catches every object within reach.
void TractorBeam(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!game.state.GameActive) return;
  if (!drop.common.tractor.Active) {
    SwitchTractorOn(drop.common.tractor);
    return;
  }
  for (uint8_t i = 0; i < drop.DropCount && i < kRoundObjects && game.state.GameActive; ++i) {
    FallingObject& object = drop.objects[i];
    if (object.Active && !object.Landed && WithinReach(game, object.X)) Catch(game, object);
  }
  if (game.state.GameActive) CatchMonkey(game, drop.common);
}

void TallySheepDrop(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  ReleaseSheepDrop(game);
  game.state.GameActive = false;
  WaitSince(game, game.host.Ticks(), 2000);
  PlaySoundStereo(game, "sounds/d_wavcom.wav", 0, true);
  SoundBuffer counter;
  if (drop.ClonesShot > 0) {
    LoadSound(game, counter, "sounds/boncount.wav");
    PlaySound(game, "sounds/d_clshot.wav", 0, true);
    CountRoundTicks(game, counter, drop.ClonesShot, kCloneShotPoints);
  }
  if (drop.SheepSaved > 0) {
    LoadSound(game, counter, "sounds/shpscfst.wav");
    PlaySound(game, "sounds/d_shpsav.wav", 0, true);
    CountRoundTicks(game, counter, drop.SheepSaved, kSheepSavedPoints);
    PlaySound(game, "sounds/shpscore.wav", 0, true);
  }
  FreeSound(counter);
}

void ReleaseSheepDrop(Game& game) {
  SheepDropState& drop = game.sheepDrop;
  if (!drop.loaded) return;
  drop.loaded = false;
  drop.common.tractor.Active = false;
  const auto sounds = SheepDropSounds(drop);
  EndSceneSounds(game, NightLife::Mute, sounds);
}

}  // namespace sb
