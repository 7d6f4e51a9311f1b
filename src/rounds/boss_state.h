#pragma once
// The boss round: the mothership, its shield and laser, and the roller it
// drops. Positions are along the ship's axis. The mothership's and the
// roller's positions and directions carry over from one game to the next.

#include <cstdint>

#include "audio/sound_buffer.h"

namespace sb {

struct BossState {
  // The mothership.
  int16_t BossX = 0;
  bool BossAlive = false;
  bool MovingLeft = false;
  int32_t StepInterval = 40;  // ms between two steps: quicker on harder games
  bool BossShieldUp = false;
  bool Charging = false;  // its laser attack: the charge sounds ...
  bool Firing = false;    // ... then the laser
  uint8_t BossHits = 0;   // open hits taken

  // The roller.
  int16_t RollerX = 0;
  bool Dropping = false;
  bool Landed = false;
  bool Rolling = false;
  bool RollerLeft = false;
  uint8_t RollerHits = 0;  // deflections by side lasers this round

  int32_t StepTick = 0;        // the mothership's last step
  int32_t ShieldTick = 0;      // its shield's last change
  int32_t DamageTick = 0;      // its laser's last damage
  int32_t RollerTick = 0;      // the last roller's end (or the round's start)
  int32_t RollerStepTick = 0;  // the roller's last step

  SoundBuffer StartMusic;
  SoundBuffer LoopMusic;
  SoundBuffer Mothership;
  SoundBuffer Scream;
  SoundBuffer Shield;           // the mothership's own shield
  SoundBuffer DirectionChange;  // the roller knocked back
  SoundBuffer Attack;           // the charge, then the laser
  SoundBuffer RollerDrop;
  SoundBuffer Roller;           // landing, rolling, exploding
  SoundBuffer ShieldHit;        // a shot on the raised shield
};

}  // namespace sb
