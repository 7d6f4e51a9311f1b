#pragma once
// The boss round set up on the simulated host: the start-up sounds, the
// default keys, the round's sounds loaded and its music started. Tests then
// place the mothership, the roller and the ship, and run passes of the
// round's loop or call its routines one by one.

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "player/player_rig.h"
#include "rounds/boss.h"

namespace sb::test {

constexpr int32_t kNever = 1 << 30;

// Every buffer of the round is empty.
inline bool BossReleased(const BossState& b) {
  for (const SoundBuffer* s : {&b.StartMusic, &b.LoopMusic, &b.Mothership, &b.Scream, &b.Shield, &b.DirectionChange,
                               &b.Attack, &b.RollerDrop, &b.Roller, &b.ShieldHit}) {
    if (!s->Empty()) return false;
  }
  return true;
}

// Once every short sound has had time to end, how many still sound.
inline size_t SoundingAfterwards(SimGame& sim) {
  sim.host.AdvanceMs(3000);
  return sim.game.sound.GetMixer().ActiveVoices();
}

struct BossRig : PlayerRig {
  // The script's times count from the start of the set-up, which takes
  // 1000 ms with every recording 500 ms long.
  explicit BossRig(uint8_t difficulty = 1, const std::string& script = "", SimOptions options = {})
      : PlayerRig(script, std::move(options)) {
    game.state.Difficulty = difficulty;
    SetUpBoss(game);
    game.state.GameActive = true;
    ClearLog();
  }

  BossState& Boss() { return game.boss; }

  // The mothership held in place (with its shield down unless asked).
  void HoldMothership(int16_t x, bool shieldUp = false) {
    Boss().BossX = x;
    Boss().StepInterval = kNever;
    Boss().BossShieldUp = shieldUp;
    Boss().ShieldTick = kNever;  // the shield keeps its state
  }
  // A roller on the ground, rolling from x.
  void PlaceRoller(int16_t x, bool movingLeft) {
    BossState& boss = Boss();
    boss.Dropping = boss.Landed = boss.Rolling = true;
    boss.RollerX = x;
    boss.RollerLeft = movingLeft;
    LoadSound(game, boss.Roller, "sounds/roller.wav");
    boss.Roller.Play(true);
  }

  // Passes of the round's loop until the clock reads `ms` or the round is over.
  void RunBoss(int32_t ms, const std::function<void()>& each = [] {}) {
    while (host.Ticks() < ms && game.state.GameActive) {
      BossPass(game);
      each();
    }
  }
  // Only these routines, once per yield, until the clock reads `ms`.
  void Run(int32_t ms, const std::function<void()>& pass) {
    while (host.Ticks() < ms && game.state.GameActive) {
      host.Yield();
      pass();
    }
  }

  // A fresh press of the laser (side laser with a direction: toward it),
  // long enough after the last shot to fire.
  void Shoot(std::initializer_list<Action> held = {kLaser}) {
    InputState& input = game.input;
    for (ActionRecord& action : input.actions) action.active = false;
    for (Action action : held) input.actions[action].active = true;
    input.modifiers.alt = false;
    WeaponsState& weapons = game.weapons;
    weapons.LaserLatch = weapons.LeftLaserLatch = weapons.RightLaserLatch = false;
    weapons.LastShotTick = host.Ticks() - 1000;
    FireAtBoss(game);
  }

  bool Released() const { return BossReleased(game.boss); }
  size_t SoundingAfterwards() { return test::SoundingAfterwards(*this); }
};

}  // namespace sb::test
