#pragma once
// The eight alien colour groups, their records and the release timers.

#include <array>
#include <cstdint>
#include <vector>

#include "audio/sound_buffer.h"

namespace sb {

// Colour numbers as missile slots store them (0 blue ... 7 silver).
enum class Colour : uint8_t { Blue = 0, Green, Red, Violet, Yellow, Cyan, Orange, Silver };
constexpr int kColourCount = 8;

// The order aliens are served in and the main laser asks them.
constexpr std::array<Colour, kColourCount> kServeOrder = {Colour::Green,  Colour::Red,  Colour::Blue,
                                                          Colour::Violet, Colour::Yellow, Colour::Cyan,
                                                          Colour::Orange, Colour::Silver};
// The order of the other all-colour loops (wave cleared, repositioning,
// missile targeting, nuke and vapor).
constexpr std::array<Colour, kColourCount> kSweepOrder = {Colour::Blue,   Colour::Green, Colour::Red,
                                                          Colour::Violet, Colour::Yellow, Colour::Cyan,
                                                          Colour::Orange, Colour::Silver};

constexpr int kBombCount = 6;

// One alien. Silver aliens use the bomb fields as well; every other colour
// leaves them empty.
struct AlienRecord {
  int16_t X = 0;
  int16_t Y = 0;
  bool Active = false;
  bool Entered = false;
  bool Landed = false;
  bool Destroyed = false;
  uint8_t ArmourHits = 0;
  uint8_t HitCount = 0;
  bool KillPending = false;
  bool LandedRight = false;
  bool DriftLeft = false;
  int32_t TurnDelay = 0;
  bool LaserCharging = false;
  bool LaserFiring = false;
  bool LaserPrimed = false;
  bool LaserArmed = false;
  int32_t StepElapsed = 0;
  int32_t StepTick = 0;
  int32_t CrawlElapsed = 0;
  int32_t CrawlTick = 0;
  int32_t DrainElapsed = 0;
  int32_t DrainTick = 0;
  int32_t ShieldElapsed = 0;
  int32_t ShieldTick = 0;
  bool ShieldArmed = false;
  bool ShieldUp = false;
  int32_t WarpElapsed = 0;
  int32_t WarpTick = 0;
  int32_t WarpInterval = 0;
  SoundBuffer Voice;
  SoundBuffer ActionSound;
  std::array<SoundBuffer, 2> StepSounds;
  uint8_t StepIndex = 0;
  bool DrainLoaded = false;
  bool Draining = false;
  bool MissedOnce = false;

  // Silver only: the bomb run.
  SoundBuffer BombDropSound;
  std::array<SoundBuffer, kBombCount> BombSounds;
  std::array<int16_t, kBombCount> BombX{};
  uint8_t BombIndex = 0;
  bool BombRun = false;
  bool BombsFalling = false;
  int32_t BombElapsed = 0;
  int32_t BombTick = 0;
};

struct AlienGroup {
  uint8_t Spawned = 0;    // released so far; the index of the next release
  uint8_t MoveIndex = 0;  // the record the behaviour step serves on this pass
  uint8_t HitIndex = 0;
  bool Started = false;   // the start gate has opened
  uint8_t StartDelay = 0;
  int32_t StartElapsed = 0;
  int32_t StartTick = 0;
  // Records 0..Count; record Count is never released. Sized by the wave set-up.
  std::vector<AlienRecord> Aliens;
  uint8_t Count = 0;
  int16_t StepDelay = 0;      // ms between two descent steps of one alien
  int16_t SpawnInterval = 0;  // seconds between releases
  int32_t SpawnElapsed = 0;
  int32_t SpawnTick = 0;
  uint8_t DriftStep = 0;  // blue, violet, yellow, orange
  bool FirstSpawnDone = false;
};

struct SpawnTimer {
  int32_t Delay = 0;          // ms until the next release may happen
  bool DelayChosen = false;   // between the first scheduling of a wave and its first release
};

struct AliensState {
  std::array<AlienGroup, kColourCount> groups;  // indexed by Colour
  std::array<SpawnTimer, kColourCount> timers;  // indexed by Colour
  bool HurrySpawn = false;  // a hurried delay is in force
  // One yellow laser timer for every yellow alien: lasers firing together
  // still hurt the ship at most once per interval.
  int32_t LaserTick = 0;
  int32_t LaserElapsed = 0;

  AlienGroup& operator[](Colour c) { return groups[static_cast<size_t>(c)]; }
  const AlienGroup& operator[](Colour c) const { return groups[static_cast<size_t>(c)]; }
};

}  // namespace sb
