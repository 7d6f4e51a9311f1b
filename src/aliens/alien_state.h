#pragma once
// The eight alien colour groups, their records and the release timers.

#include <array>
#include <cstdint>
#include <vector>

#include "audio/sound_buffer.h"
#include "platform/stopwatch.h"

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
  Stopwatch StepTick;    // its last descent step
  Stopwatch CrawlTick;   // its last step on the ground
  Stopwatch DrainTick;   // its last drain of the ship's energy
  Stopwatch ShieldTick;  // its shield armed or raised
  bool ShieldArmed = false;
  bool ShieldUp = false;
  Stopwatch WarpTick;
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
  Stopwatch BombTick;
};

struct AlienGroup {
  uint8_t Spawned = 0;    // released so far; the index of the next release
  uint8_t MoveIndex = 0;  // the record the behaviour step serves on this pass
  uint8_t HitIndex = 0;
  bool Started = false;   // the start gate has opened
  uint8_t StartDelay = 0;
  Stopwatch StartTick;  // the colour's first turn (0: not yet come)
  // Records 0..Count; record Count is never released. Sized by the wave set-up.
  std::vector<AlienRecord> Aliens;
  uint8_t Count = 0;
  int16_t StepDelay = 0;      // ms between two descent steps of one alien
  int16_t SpawnInterval = 0;  // seconds between releases
  Stopwatch SpawnTick;
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
  Stopwatch LaserTick;

  AlienGroup& operator[](Colour c) { return groups[static_cast<size_t>(c)]; }
  const AlienGroup& operator[](Colour c) const { return groups[static_cast<size_t>(c)]; }
};

}  // namespace sb
