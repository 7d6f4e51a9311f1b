#pragma once
// The saucer, its payload's dive and the landed payload.

#include <cstdint>

#include "audio/sound_buffer.h"
#include "platform/stopwatch.h"

namespace sb {

struct SaucerState {
  bool SaucerEnabled = false;  // this wave has a saucer
  int16_t SaucerStepDelay = 30;
  int16_t SaucerChanceRange = 0;
  bool SaucerPresent = false;
  int16_t SaucerX = 0;
  bool SaucerMovingLeft = false;
  bool SaucerGone = false;
  Stopwatch SaucerCheckTick;
  Stopwatch SaucerMoveTick;

  bool PayloadDiving = false;
  bool DiveStarted = false;
  int16_t DiveDistance = 0;
  float DiveRate = 0;
  float DiveProgress = 0;
  int16_t DiveDirection = 1;
  int16_t DiveVolume = 0;
  Stopwatch DiveTick;

  int16_t PayloadX = 0;
  bool PayloadDown = false;
  Stopwatch PayloadLandTick;
  uint8_t PayloadKind = 0;
  uint8_t PreviousPayloadKind = 0;

  SoundBuffer PayloadSound;  // saucer hum, its explosion, then the landed payload's hum
  SoundBuffer DiveSound;     // the dive whistle, then the drop
};

}  // namespace sb
