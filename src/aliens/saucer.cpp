#include "aliens/saucer.h"

#include "game/game.h"
#include "sound/sound_engine.h"

namespace sb {

// No saucer flies yet: waves play without one.
void UpdateSaucer(Game&) {}
void UpdatePayloadDive(Game&) {}

void ResetSaucerState(Game& game) {
  SaucerState& s = game.saucer;
  StopSound(s.DiveSound);
  StopSound(s.PayloadSound);
  s.SaucerX = 0;
  s.SaucerEnabled = false;
  s.SaucerPresent = false;
  s.SaucerGone = false;
  s.SaucerStepDelay = 30;
  s.SaucerChanceRange = 0;
  s.PayloadDiving = false;
  s.SaucerMovingLeft = false;
  s.DiveStarted = false;
  s.PayloadDown = false;
  s.DiveRate = 0;
  s.PayloadX = 0;
  s.DiveDistance = 0;
}

}  // namespace sb
