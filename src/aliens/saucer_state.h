#pragma once
// The saucer, its payload's dive and the landed payload.

#include <cstdint>

#include "audio/sound_buffer.h"

namespace sb {

struct SaucerState {
  bool SaucerEnabled = false;  // this wave has a saucer
  int16_t SaucerStepDelay = 30;
  int16_t SaucerChanceRange = 0;
  bool SaucerPresent = false;
  int16_t SaucerX = 0;
  bool SaucerMovingLeft = false;
  bool SaucerGone = false;
  int32_t SaucerCheckElapsed = 0;
  int32_t SaucerCheckTick = 0;
  int32_t SaucerMoveElapsed = 0;
  int32_t SaucerMoveTick = 0;

  bool PayloadDiving = false;
  bool DiveStarted = false;
  int16_t DiveDistance = 0;
  float DiveRate = 0;
  float DiveProgress = 0;
  int16_t DiveDirection = 1;
  int16_t DiveVolume = 0;
  int32_t DiveElapsed = 0;
  int32_t DiveTick = 0;

  int16_t PayloadX = 0;
  bool PayloadDown = false;
  int32_t PayloadLandTick = 0;
  uint8_t PayloadKind = 0;
  uint8_t PreviousPayloadKind = 0;

  SoundBuffer PayloadSound;  // saucer hum, its explosion, then the landed payload's hum
  SoundBuffer DiveSound;     // the dive whistle, then the drop
};

}  // namespace sb
