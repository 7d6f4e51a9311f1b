#include "aliens/saucer.h"

#include <utility>

#include "game/game.h"
#include "platform/vb_math.h"
#include "player/powerups.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int16_t kSaucerLeftWall = 50;
constexpr int16_t kSaucerRightWall = 9550;
constexpr int16_t kSaucerStep = 50;
constexpr int32_t kSaucerDrawMs = 1000;
constexpr int16_t kFieldCentre = 5000;
constexpr int kDiveSteps = 70;
constexpr int32_t kDiveStepMs = 60;
constexpr int16_t kDiveVolumeStep = 20;
constexpr int32_t kDiveStartVolume = -1440;

// Once a second, while no saucer flies, a draw of 1 in SaucerChanceRange
// sends one in from a random wall.
void DrawSaucer(Game& game, int32_t now) {
  SaucerState& s = game.saucer;
  if (!s.SaucerCheckTick.MoreThan(now, kSaucerDrawMs) || s.SaucerPresent) return;
  const int16_t range = s.SaucerChanceRange;
  if (range >= 1 && RandomSpread(game, 1, range) == RoundHalfEven(range / 3.0)) {
    s.SaucerPresent = true;
    s.SaucerMovingLeft = RandomSpread(game, 1, 10) >= 5;
    s.SaucerX = s.SaucerMovingLeft ? kSaucerRightWall : kSaucerLeftWall;
    LoadSound(game, s.PayloadSound, "sounds/saucer.wav");
    s.PayloadSound.SetPan(s.SaucerX - game.state.ShipX);
    s.PayloadSound.Play(true);
  }
  s.SaucerCheckTick.Start(now);
}

// One 50-unit move per SaucerStepDelay; at the far wall the saucer has escaped.
void FlySaucer(Game& game, int32_t now) {
  SaucerState& s = game.saucer;
  if (s.SaucerMoveTick.MoreThan(now, s.SaucerStepDelay)) {
    if (!s.SaucerMovingLeft) {
      if (s.SaucerX < kSaucerRightWall) s.SaucerX = static_cast<int16_t>(s.SaucerX + kSaucerStep);
      else s.SaucerGone = true;
    } else {
      if (s.SaucerX > kSaucerLeftWall) s.SaucerX = static_cast<int16_t>(s.SaucerX - kSaucerStep);
      else s.SaucerGone = true;
    }
    s.SaucerMoveTick.Start(now);
    s.PayloadSound.SetPan(s.SaucerX - game.state.ShipX);
  }
  if (s.SaucerGone) {
    s.SaucerPresent = false;
    s.SaucerGone = false;
    StopSound(s.PayloadSound);
  }
}

// The payload falls from where the saucer was shot toward the middle of the
// field (and may pass it), 1000 to 4000 units away.
void StartDive(Game& game, int32_t now) {
  SaucerState& s = game.saucer;
  s.DiveStarted = true;
  s.DiveDistance = static_cast<int16_t>(RandomSpread(game, 1000, 4000));
  s.DiveDirection = s.SaucerX < kFieldCentre ? 1 : -1;
  s.PayloadX = static_cast<int16_t>(s.SaucerX + s.DiveDirection * s.DiveDistance);
  s.DiveRate = static_cast<float>(s.DiveDistance) / kDiveSteps;
  s.DiveProgress = 0;
  s.DiveVolume = 0;
  LoadSound(game, s.DiveSound, "sounds/dive.wav");
  // Heard from where the saucer was, as quiet as the dive begins.
  s.DiveSound.SetPan(s.SaucerX - game.state.ShipX);
  s.DiveSound.SetVolume(kDiveStartVolume);
  s.DiveSound.Play(false);
  s.DiveTick.Start(now);
}

// The whistle moves toward the landing place and grows louder.
void DiveStep(Game& game) {
  SaucerState& s = game.saucer;
  s.DiveProgress += s.DiveRate;
  s.DiveVolume = static_cast<int16_t>(s.DiveVolume + kDiveVolumeStep);
  const double pan = s.DiveDirection * static_cast<double>(s.DiveProgress) + s.SaucerX - game.state.ShipX;
  s.DiveSound.SetPan(static_cast<int32_t>(RoundHalfEven(pan)));
  s.DiveSound.SetVolume(s.DiveVolume + kDiveStartVolume);
}

// Down: the drop, then the payload's hum until it is caught or lost.
void LandPayload(Game& game, int32_t now) {
  SaucerState& s = game.saucer;
  const int32_t pan = s.PayloadX - game.state.ShipX;
  s.DiveStarted = false;
  s.PayloadDown = true;
  LoadSound(game, s.PayloadSound, "sounds/payload.wav");
  LoadSound(game, s.DiveSound, "sounds/paydrop.wav");
  s.DiveSound.SetPan(pan);
  s.DiveSound.Play(false);
  s.PayloadSound.SetPan(pan);
  s.PayloadSound.Play(true);
  s.PayloadLandTick.Start(now);
  ChoosePayloadKind(game);
}

}  // namespace

void UpdateSaucer(Game& game) {
  if (!game.state.GameActive) return;
  const int32_t now = game.host.Ticks();
  DrawSaucer(game, now);
  if (game.saucer.SaucerPresent) FlySaucer(game, now);
}

void UpdatePayloadDive(Game& game) {
  SaucerState& s = game.saucer;
  if (!game.state.GameActive || s.PayloadDown) return;
  const int32_t now = game.host.Ticks();
  if (!s.DiveStarted) StartDive(game, now);
  if (!s.DiveTick.MoreThan(now, kDiveStepMs)) return;
  if (s.DiveProgress < s.DiveDistance) DiveStep(game);
  else LandPayload(game, now);
  s.DiveTick.Start(now);
}

// The next wave's saucer starts fresh; its two sounds stay loaded (stopped),
// and the last payload's kind carries over, so that the next is another.
void ResetSaucerState(Game& game) {
  SaucerState& s = game.saucer;
  StopSound(s.DiveSound);
  StopSound(s.PayloadSound);
  SaucerState fresh;
  fresh.PreviousPayloadKind = s.PreviousPayloadKind;
  fresh.PayloadSound = std::move(s.PayloadSound);
  fresh.DiveSound = std::move(s.DiveSound);
  s = std::move(fresh);
}

}  // namespace sb
