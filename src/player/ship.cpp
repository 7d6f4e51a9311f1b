#include "player/ship.h"

#include <algorithm>
#include <cstdlib>

#include "game/game.h"
#include "game/high_score.h"
#include "game/saved_game.h"
#include "game/scoring.h"
#include "input/input.h"
#include "platform/vb_math.h"
#include "player/powerups.h"
#include "player/weapons.h"
#include "sound/game_sounds.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int16_t kShipStep = 50;
constexpr int32_t kMoveInterval = 15;  // ms between two steps at normal speed
constexpr int32_t kThrustPan = 400;    // the exhaust is heard behind the ship
constexpr int16_t kWallCrashDamage = 5;
constexpr int32_t kTurboDrainInterval = 200;
constexpr int32_t kTurboDrain = 200;
constexpr int32_t kTurboReserve = 100;  // at or below this the turbo is used up
constexpr int16_t kTurboSpeedBonus = 10;

// One direction of travel: its action, where its wall is and how it sounds.
struct Side {
  Action action;
  int16_t step;
  int16_t wall;
  int32_t thrustPan;
  int32_t crashPan;
  bool ShipState::*thrust;
};
constexpr Side kLeft{kMoveLeft, -kShipStep, 100, kThrustPan, -10000, &ShipState::ThrustLeft};
constexpr Side kRight{kMoveRight, kShipStep, 9500, -kThrustPan, 10000, &ShipState::ThrustRight};

bool Held(const Game& game, Action action) { return game.input.actions[action].active; }

// Every thrust sound starts at full volume: the ends of waves and games silence them.
void StartThrust(SoundBuffer& sound, int32_t pan, bool looping) {
  sound.SetVolume(0);
  sound.SetPan(pan);
  sound.Play(looping);
}

void StartTurboThrust(Game& game, int32_t pan) {
  SoundBuffer& sound = game.sounds.powerThrust;
  sound.SetVolume(0);
  sound.SetPan(pan);
  RestartSound(sound);
}

// A direction let go: its thrust ends with the stop sound; the loop goes
// quiet once neither direction thrusts.
void StopThrustWhenLetGo(Game& game, const Side& side, bool otherThrust) {
  bool& thrust = game.ship.*side.thrust;
  if (!thrust || Held(game, side.action)) return;
  thrust = false;
  if (!otherThrust) StopSound(game.sounds.thrustContinuous);
  StartThrust(game.sounds.thrustStop, side.thrustPan, false);
}

// The ship against a wall: a crash, once per push, and never while the
// previous crash still sounds.
void CrashIntoWall(Game& game, const Side& side) {
  GameState& state = game.state;
  GameSounds& sounds = game.sounds;
  const SoundBuffer& previous = sounds.sideHit[state.LastHitSide % sounds.sideHit.size()];
  if (previous.Empty() || previous.IsPlaying()) return;
  const auto crash = static_cast<uint8_t>(RandomSpread(game, 0, static_cast<int32_t>(sounds.sideHit.size()) - 1));
  sounds.sideHit[crash].SetPan(side.crashPan);
  sounds.sideHit[crash].Play(false);
  state.LastHitSide = crash;
  DamagePlayer(game, kWallCrashDamage);
  if (RandomSpread(game, 1, 10) < 5) PlayRandomExplosion(game);
  state.EdgeBumped = true;
}

void StepShip(Game& game, const Side& side) {
  GameState& state = game.state;
  if (!Held(game, side.action) || state.EdgeBumped) return;
  const bool clear = side.step < 0 ? state.ShipX > side.wall : state.ShipX < side.wall;
  if (!clear) {
    CrashIntoWall(game, side);
    return;
  }
  state.ShipX = static_cast<int16_t>(state.ShipX + side.step);
  bool& thrust = game.ship.*side.thrust;
  if (thrust) return;
  if (state.TurboEngaged) {
    StartTurboThrust(game, side.thrustPan);
  } else {
    StartThrust(game.sounds.thrustBurst, side.thrustPan, false);
    StartThrust(game.sounds.thrustContinuous, side.thrustPan, true);
  }
  thrust = true;
}

// The night life beyond the walls grows as the ship nears one; in the middle
// of the field it keeps what it had.
void PlaceEdgeAmbience(Game& game) {
  const int32_t x = game.state.ShipX;
  SoundBuffer& ambience = game.sounds.nightLife;
  if (x < 2000) {
    ambience.SetVolume(RoundHalfEven32(-2.5 * x));
    ambience.SetPan(RoundHalfEven32(-0.5 * x));
  } else if (x > 6000) {
    ambience.SetVolume(RoundHalfEven32(2.5 * (x - 9500)));
    ambience.SetPan(RoundHalfEven32(0.5 * (9500 - x)));
  }
}

// An analog stick moves the ship faster the further it is pushed (up to 10 ms sooner).
int32_t MoveInterval(const Game& game) {
  int32_t deflection = 0;
  if (game.player.controllerMode == 1 && game.player.joystickMode == 1) {
    deflection = RoundHalfEven32(std::abs((game.input.joystick.axis[0] - 5000) / 500.0));
  }
  return std::abs(kMoveInterval - game.state.SpeedBonus - deflection);
}

void Place(SoundBuffer& sound, int32_t pan, int32_t volume) {
  sound.SetPan(pan);
  sound.SetVolume(volume);
}

void RepositionAliens(Game& game) {
  const int32_t shipX = game.state.ShipX;
  for (Colour colour : kSweepOrder) {
    AlienGroup& group = game.aliens[colour];
    const bool hasActionSound = colour == Colour::Red || colour == Colour::Yellow;
    const size_t count = std::min<size_t>(group.Count, group.Aliens.size());
    for (size_t i = 0; i < count; ++i) {
      AlienRecord& alien = group.Aliens[i];
      if (!alien.Active) continue;
      const int32_t dx = alien.X - shipX;
      if (alien.Landed) {
        for (SoundBuffer& step : alien.StepSounds) Place(step, dx, RoundHalfEven32(-std::abs(dx / 2.0)));
      }
      // On the ground distance alone says how near an alien is.
      const int32_t volume = alien.Landed ? RoundHalfEven32(-std::abs(dx / 6.0)) : VolumeForHeight(game, alien.Y);
      Place(alien.Voice, dx, volume);
      if (hasActionSound) Place(alien.ActionSound, dx, volume);
    }
  }
}

// The nuke key may still be latched by the menu that started the game: it
// counts only once that key is free. The action's flag lags one poll behind
// the key, so the key or button must be down now as well, or the pass in
// which the menu's key is let go would fire.
bool NukePressed(InputState& input) {
  const ActionRecord& nuke = input.actions[kUseNuke];
  const bool down = KeyDown(input, nuke.key) || ButtonDown(input, nuke.button);
  return down && !input.keyLatch[nuke.key] && TakeAction(input, kUseNuke);
}

void Pause(Game& game) {
  PauseGame(game);
  // The P that resumed play is not a new press.
  game.input.keyLatch[dik::P] = KeyDown(game.input, dik::P);
}

}  // namespace

void LocateShip(Game& game) {
  InputState& input = game.input;
  const bool key = KeyPressed(input, dik::DOWN);
  const bool stick = ButtonDown(input, kStickDown) && !input.buttonLatch[kStickDown];
  if (!key && !stick) return;
  input.keyLatch[dik::DOWN] = true;
  input.buttonLatch[kStickDown] = true;
  SoundBuffer& ping = game.sounds.locate;
  if (ping.IsPlaying()) return;
  ping.SetPan(RoundHalfEven32((game.state.ShipX - 5000) / 3.0));
  ping.Play(false);
}

void HandlePlayerControls(Game& game) {
  GameState& state = game.state;
  if (!state.GameActive) return;
  InputState& input = game.input;
  PollInput(game);
  ReadModifierKeys(input);
  LocateShip(game);
  if (TakeAction(input, kScoreReport)) SpeakScore(game);
  if (TakeAction(input, kShields)) RaiseShield(game);
  if (TakeAction(input, kFireMissile)) FireMissile(game);
  if (Held(game, kLaser) || Held(game, kSideLaser)) {
    FireLasers(game);
    HoldLaserLatches(game);
  }
  // A press while a nuke warms up is used up: one press is one nuke.
  if (NukePressed(input) && !state.NukePending) ArmNuke(game);
  DetonatePendingNuke(game);
  if (Held(game, kVapor)) RequestVapor(game);
  ReleaseLaserLatches(game);
  if (TakeAction(input, kEnergyReport)) SpeakNumber(game, state.Energy);
  HandleBackgroundKeys(game);
  if (TakeKey(input, dik::P)) Pause(game);
  if (TakeAction(input, kLevelWaveReport)) SpeakLevelAndWave(game);
  if (TakeKey(input, dik::H)) SpeakHighScore(game);
  if (TakeKey(input, dik::Q)) SaveGame(game);
}

void MoveShip(Game& game) {
  GameState& state = game.state;
  if (!state.GameActive) return;
  if (state.EdgeBumped && !Held(game, kMoveLeft) && !Held(game, kMoveRight)) state.EdgeBumped = false;
  StopThrustWhenLetGo(game, kLeft, game.ship.ThrustRight);
  StopThrustWhenLetGo(game, kRight, game.ship.ThrustLeft);
  UpdateTurbo(game);
  const int32_t now = game.host.Ticks();
  if (now - game.ship.MoveTick > MoveInterval(game)) {
    // Both directions held: a step each way, the ship stays put.
    StepShip(game, kLeft);
    StepShip(game, kRight);
    PlaceEdgeAmbience(game);
    RepositionSounds(game);
    game.ship.MoveTick = now;
  }
  CatchPayload(game);
}

// Turbo takes effect from its first drain, 200 ms after super is pressed.
void UpdateTurbo(Game& game) {
  GameState& state = game.state;
  const InputState& input = game.input;
  const bool super = Held(game, kSuper);
  if (state.TurboAvailable && !super) {
    state.SpeedBonus = 0;
    state.TurboEngaged = false;
  } else if (state.TurboAvailable) {
    const int32_t now = game.host.Ticks();
    if (!state.TurboEngaged) {
      state.TurboEngaged = true;
      game.ship.TurboTick = now;
      if (Held(game, kMoveLeft) || (KeyDown(input, dik::NUMPAD4) && !state.EdgeBumped)) StartTurboThrust(game, -kThrustPan);
      if (Held(game, kMoveRight) || (KeyDown(input, dik::NUMPAD6) && !state.EdgeBumped)) StartTurboThrust(game, kThrustPan);
    }
    if (now - game.ship.TurboTick > kTurboDrainInterval) {
      if (state.TurboTime > kTurboReserve) {
        state.TurboTime -= kTurboDrain;
        state.SpeedBonus = kTurboSpeedBonus;
        game.ship.TurboTick = now;
      } else {
        state.TurboEngaged = false;
        state.TurboAvailable = false;
        state.TurboTime = 0;
        state.SpeedBonus = 0;
      }
    }
  }
  // No turbo: the refusal stutters while super is held (not when the stick's
  // down push is super, which also locates the ship).
  if (!state.TurboAvailable && super && input.actions[kSuper].button != kStickDown) PlayInvalid(game);
}

void RepositionSounds(Game& game) {
  const int32_t shipX = game.state.ShipX;
  RepositionAliens(game);
  SaucerState& saucer = game.saucer;
  if (saucer.PayloadDown) saucer.PayloadSound.SetPan(saucer.PayloadX - shipX);
  for (int slot = 0; slot < kMissileSlots; ++slot) {
    const MissileSlot& missile = game.weapons.missiles[slot];
    if (missile.Active) {
      Place(game.sounds.missileExplosion[slot], missile.TargetX - shipX, VolumeForHeight(game, missile.TargetY));
    }
  }
}

// The thrust flags go with the sounds: a direction still held when the next
// wave starts is heard thrusting again.
void StopThrustSounds(Game& game) {
  GameSounds& sounds = game.sounds;
  for (SoundBuffer* sound : {&sounds.thrustBurst, &sounds.thrustContinuous, &sounds.powerThrust, &sounds.thrustStop}) {
    StopSound(*sound);
  }
  for (SoundBuffer* sound : {&sounds.thrustBurst, &sounds.powerThrust, &sounds.thrustStop}) MuteSound(*sound);
  game.ship.ThrustLeft = false;
  game.ship.ThrustRight = false;
}

}  // namespace sb
