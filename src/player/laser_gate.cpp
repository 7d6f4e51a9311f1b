#include "player/laser_gate.h"

#include "game/game.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int32_t kRapidDrainInterval = 200;  // ms of rapid fire paid for at a time
constexpr int32_t kRapidDrain = 200;
constexpr int32_t kRapidReserve = 150;  // at or below this the rapid fire is used up

void FireSideLaser(Game& game, Action toward, bool& latch, SoundBuffer& sound, const LaserTargets& targets) {
  if (!Held(game.input, toward) || latch) return;
  latch = true;
  RestartSound(sound);
  targets.side(game, toward);
}

}  // namespace

bool FireLaser(Game& game, const LaserTargets& targets) {
  if (!game.state.GameActive) return false;
  WeaponsState& weapons = game.weapons;
  const int32_t now = game.host.Ticks();
  const bool ready = weapons.LastShotTick.MoreThan(now, kLaserInterval);
  if (targets.side && (game.input.modifiers.alt || Held(game.input, kSideLaser))) {
    if (!ready) return false;
    weapons.LastShotTick.Start(now);
    FireSideLaser(game, kMoveLeft, weapons.LeftLaserLatch, game.sounds.laserLeft, targets);
    FireSideLaser(game, kMoveRight, weapons.RightLaserLatch, game.sounds.laserRight, targets);
    return false;
  }
  if (weapons.LaserLatch) return false;
  weapons.LaserLatch = true;  // a press too soon after the last shot is used up unfired
  if (ready) {
    weapons.LastShotTick.Start(now);
    RestartSound(game.sounds.laser);
    targets.straight(game);
  }
  return true;
}

void HoldLaserLatches(Game& game) {
  GameState& state = game.state;
  ModifierFlags& modifiers = game.input.modifiers;
  // The release step later in the pass reads these: held keeps the latches.
  modifiers.leftCtrl = !state.RapidActive;
  modifiers.alt = !state.RapidActive;
  if (!state.RapidActive) return;
  const int32_t now = game.host.Ticks();
  if (!game.weapons.RapidTick.MoreThan(now, kRapidDrainInterval)) return;
  if (state.RapidTime > kRapidReserve) {
    state.RapidTime -= kRapidDrain;
    game.weapons.RapidTick.Start(now);
  } else {
    state.RapidActive = false;
  }
}

void ReleaseLaserLatches(Game& game) {
  const InputState& input = game.input;
  WeaponsState& weapons = game.weapons;
  if (!input.modifiers.leftCtrl || game.state.RapidActive) weapons.LaserLatch = false;
  if (!Held(input, kMoveLeft) || !input.modifiers.alt) weapons.LeftLaserLatch = false;
  if (!Held(input, kMoveRight) || !input.modifiers.alt) weapons.RightLaserLatch = false;
}

}  // namespace sb
