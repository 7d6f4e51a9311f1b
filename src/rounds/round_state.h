#pragma once
// What the sheep drop and the meteor shower keep: the objects that fall, the
// monkey, the tractor beam and each round's counters and sounds. A round's
// records are made empty by its set-up; the cargo ship's place and the fact
// that it has once passed mid-field outlive the round.

#include <array>
#include <cstdint>

#include "audio/sound_buffer.h"

namespace sb {

// The round's objects are dropped one after another into records 0..29; the
// set-up makes one spare record more.
constexpr int kRoundRecords = 31;
constexpr uint8_t kRoundObjects = 30;

// A sheep or a clone.
struct FallingObject {
  int16_t X = 0;
  int16_t Y = 0;
  bool Active = false;    // dropped, and neither shot nor caught
  bool Landed = false;
  bool Resolved = false;  // shot or caught
  bool IsClone = false;
  int32_t Elapsed = 0;
  int32_t LastTick = 0;   // its last falling step
  SoundBuffer Voice;      // its voice, then its landing, explosion or catch
  SoundBuffer FallSound;  // the falling whistle, looping while it falls
};

// Now and then a monkey falls too, in either round; it can only be caught.
struct Monkey {
  int16_t X = 0;
  int16_t Y = 0;
  bool Active = false;
  bool Landed = false;
  bool Caught = false;
  int32_t Elapsed = 0;
  int32_t LastTick = 0;
  int32_t DropTick = 0;  // the last decision whether to drop one
  SoundBuffer Voice;
  SoundBuffer FallSound;
};

// The beam lasts as long as its sound plays.
struct Tractor {
  bool Active = false;
  SoundBuffer Sound;
};

// What both rounds have: the beam, the monkey and its music.
struct RoundCommon {
  Tractor tractor;
  Monkey monkey;
  SoundBuffer monkeyMusic;
};

struct SheepDropState {
  // Outlive the round: the next sheep drop flies on from where this one left
  // off, and drops from its first pass.
  int16_t CargoShipX = 0;
  bool DropsEnabled = false;

  bool loaded = false;
  bool CargoShipLeft = false;
  int32_t CargoStepTick = 0;
  uint8_t DropCount = 0;
  uint8_t NextObject = 0;
  uint8_t ObjectCount = kRoundObjects;
  int16_t StepMs = 5;
  int16_t ClonesShot = 0;
  int16_t SheepLanded = 0;
  int16_t SheepShot = 0;
  int16_t SheepSaved = 0;
  uint8_t ClonesCaught = 0;
  int32_t DropTick = 0;
  std::array<FallingObject, kRoundRecords> objects;
  RoundCommon common;
  SoundBuffer cargoShip;
  SoundBuffer cargoHit;
};

struct Meteor {
  int16_t X = 0;
  int16_t Y = 0;
  bool Active = false;    // dropped and not shot
  bool Landed = false;
  bool Resolved = false;  // shot, or set on fire by its landing
  bool Burning = false;
  bool BurntOut = false;
  int32_t BurnElapsed = 0;
  int32_t BurnTick = 0;
  int32_t Elapsed = 0;
  int32_t LastTick = 0;
  SoundBuffer Voice;      // falling, then its explosion and its fire (or the shot's blast)
  SoundBuffer FallSound;  // kept in place with the meteor, never heard
};

struct MeteorShowerState {
  bool loaded = false;
  uint8_t MeteorCount = 0;  // meteors dropped
  uint8_t NextMeteor = 0;
  int16_t MeteorsShot = 0;
  uint8_t RoundEnergy = 0;  // the ship's energy for this round only
  int16_t StepMs = 5;
  int32_t DropTick = 0;
  std::array<Meteor, kRoundRecords> meteors;
  RoundCommon common;
  SoundBuffer alert;
};

}  // namespace sb
