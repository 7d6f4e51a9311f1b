#include "player/powerups.h"

#include <array>
#include <cstdlib>

#include "game/game.h"
#include "game/scoring.h"
#include "player/laser_gate.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum PayloadKind : uint8_t { kBonus = 0, kTurbo, kRapid, kNuke, kMissile, kVapor, kShield, kEnergy };
constexpr uint8_t kLastKind = kEnergy;
constexpr int32_t kCatchReach = 150;

constexpr std::array<const char*, kLastKind + 1> kKindPrompts = {
    "sounds/pBonus.wav",   "sounds/pTurbo.wav", "sounds/pRapid.wav",  "sounds/pNuke.wav",
    "sounds/pMissile.wav", "sounds/pvapor.wav", "sounds/pshield.wav", "sounds/pEnergy.wav",
};

void ApplyKind(Game& game, uint8_t kind) {
  GameState& s = game.state;
  switch (kind) {
    case kBonus:
      AddScore(game, 5000);
      break;
    case kTurbo:
      s.TurboAvailable = true;
      s.TurboTime += 4000;
      break;
    case kRapid:
      s.RapidActive = true;
      s.RapidTime += 8000;
      game.weapons.RapidTick.Start(game.host.Ticks());
      break;
    case kNuke:
      s.HasNukes = true;
      s.Nukes = SaturatingAdd(s.Nukes, 1);
      break;
    case kMissile:
      // One missile back, if one has been fired; otherwise the payload is wasted.
      if (s.MissilesSpent > 0) --s.MissilesSpent;
      else PlaySound(game, "sounds/paygone.wav", 0, false);
      break;
    case kVapor:
      s.Vapors = SaturatingAdd(s.Vapors, 1);
      break;
    case kShield:
      s.Shields = SaturatingAdd(s.Shields, 1);
      break;
    default:  // energy: a low ship gets 100 more, any other is filled to 150
      s.Energy = s.Energy < 51 ? static_cast<int16_t>(s.Energy + 100) : int16_t{150};
      break;
  }
}

}  // namespace

// No two payloads in a row are of one kind. On Easy and Medium a low draw
// brings Energy; on Hard and Insane every kind is equally likely.
void ChoosePayloadKind(Game& game) {
  SaucerState& s = game.saucer;
  uint8_t kind = 0;
  if (RandomSpread(game, 1, 10) > 3 - game.state.Difficulty) {
    kind = static_cast<uint8_t>(RandomSpread(game, 0, kLastKind));
    if (kind == s.PreviousPayloadKind) kind = PickDifferentKind(game, kind, 0, kLastKind);
  } else {
    kind = s.PreviousPayloadKind == kEnergy ? PickDifferentKind(game, kEnergy, 0, kLastKind) : uint8_t{kEnergy};
  }
  s.PayloadKind = kind;
  s.PreviousPayloadKind = kind;
}

uint8_t PickDifferentKind(Game& game, uint8_t value, uint8_t low, uint8_t high) {
  if (low == high) return low;  // nothing else to pick
  // RandomSpread never repeats its last value, so this ends within a few draws.
  for (;;) {
    const auto kind = static_cast<uint8_t>(RandomSpread(game, low, high));
    if (kind != value) return kind;
  }
}

// The kind is announced (a later prompt may cut it off) and takes effect.
void CatchPayload(Game& game) {
  SaucerState& s = game.saucer;
  if (!s.PayloadDown || !WithinReach(game, s.PayloadX, kCatchReach)) return;
  StopSound(s.PayloadSound);
  s.PayloadDown = false;
  s.PayloadDiving = false;
  const uint8_t kind = s.PayloadKind <= kLastKind ? s.PayloadKind : uint8_t{kEnergy};
  PlaySound(game, kKindPrompts[kind], 0, false);
  ApplyKind(game, kind);
}

}  // namespace sb
