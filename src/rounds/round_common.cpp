#include "rounds/round_common.h"

#include <algorithm>
#include <cstdlib>

#include "game/game.h"
#include "game/high_score.h"
#include "game/scoring.h"
#include "input/input.h"
#include "platform/vb_math.h"
#include "player/ship.h"
#include "player/weapons.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kLaserInterval = 100;  // ms between two shots
constexpr int32_t kMonkeyDropInterval = 2000;
constexpr int32_t kCatchReach = 360;
constexpr int32_t kFirstTickDelay = 200;
constexpr int32_t kFastestTickDelay = 20;
constexpr int32_t kFirstTickFrequency = 44100;
constexpr int32_t kHighestTickFrequency = 60000;

constexpr std::string_view kMonkeyVoices[] = {"sounds/monkey1.wav", "sounds/monkey2.wav", "sounds/monkey3.wav"};
constexpr std::string_view kImpacts[] = {"sounds/impact1.wav", "sounds/impact2.wav", "sounds/impact3.wav",
                                         "sounds/impact4.wav", "sounds/impact5.wav"};

bool Held(const Game& game, Action action) { return game.input.actions[action].active; }

}  // namespace

int32_t FallVolume(int32_t y) { return RoundHalfEven32(RoundHalfEven32(y / 4.0) - 1897.5); }
int32_t VoiceVolume(int32_t y) { return RoundHalfEven32(y * 0.4) - 3000; }
int32_t BlastVolume(int32_t y) { return RoundHalfEven32(y * 0.22 - 1525); }
int32_t DistanceVolume(const Game& game, int32_t x) { return RoundHalfEven32(-std::abs(x - game.state.ShipX) / 2.0); }
int32_t FallFrequency(int32_t y) { return 44010 - 2 * y; }

bool MoreThanSince(const Game& game, int32_t tick, int32_t ms) {
  // Compared by difference, so a tick counter that wraps does no harm.
  const auto elapsed = static_cast<int32_t>(static_cast<uint32_t>(game.host.Ticks()) - static_cast<uint32_t>(tick));
  return elapsed > ms;
}

void WaitSince(Game& game, int32_t since, int32_t ms) {
  while (!MoreThanSince(game, since, ms)) game.host.Yield();
}

bool BeginRoundPass(Game& game) {
  PollInput(game);
  game.host.Yield();
  if (!KeyDown(game.input, dik::ESCAPE)) return true;
  game.input.keyLatch[dik::ESCAPE] = true;
  game.state.GameActive = false;
  return false;
}

void RoundControls(Game& game, const RoundControlSet& set) {
  GameState& state = game.state;
  if (!state.GameActive) return;
  InputState& input = game.input;
  PollInput(game);
  ReadModifierKeys(input);
  // The shield is up as long as its sound plays, here as in a wave.
  if (state.ShieldActive && !game.sounds.shield.IsPlaying()) state.ShieldActive = false;
  LocateShip(game);
  if (TakeAction(input, kScoreReport)) SpeakScore(game);
  if (TakeKey(input, dik::P)) set.pause(game);
  if (TakeAction(input, kLevelWaveReport)) SpeakLevelAndWave(game);
  if (TakeKey(input, dik::H)) SpeakHighScore(game);
  if (TakeAction(input, kShields)) RaiseShield(game);
  if (Held(game, kLaser) || Held(game, kSideLaser)) {
    set.fire(game);
    HoldLaserLatches(game);
  }
  ReleaseLaserLatches(game);
  if (set.tractor && TakeAction(input, kTractor)) {
    if (set.tractor->Active) {
      SwitchTractorOff(*set.tractor);
    } else {
      SwitchTractorOn(*set.tractor);
    }
  }
  if (TakeAction(input, kEnergyReport)) SpeakNumber(game, set.energy ? *set.energy : state.Energy);
  if (set.backgroundKeys) HandleBackgroundKeys(game);
}

void PauseRound(Game& game, std::span<SoundBuffer* const> sounds) {
  std::array<bool, kMaxRoundSounds> held{};
  const size_t count = std::min(sounds.size(), held.size());
  std::array<bool, kMaxRoundSounds> looping{};
  for (size_t i = 0; i < count; ++i) {
    SoundBuffer& sound = *sounds[i];
    held[i] = sound.IsPlaying();
    looping[i] = (sound.Status() & kStatusLooping) != 0;
    if (held[i]) sound.Stop();
  }
  PauseGame(game);
  // The P that resumed play is not a new press.
  game.input.keyLatch[dik::P] = KeyDown(game.input, dik::P);
  for (size_t i = 0; i < count; ++i) {
    if (held[i]) sounds[i]->Play(looping[i]);
  }
}

bool TakeLaserPress(Game& game) {
  bool& latch = game.weapons.LaserLatch;
  if (latch) return false;
  latch = true;
  return true;
}

bool LaserReady(Game& game) {
  WeaponsState& weapons = game.weapons;
  if (!MoreThanSince(game, weapons.LastShotTick, kLaserInterval)) return false;
  RestartSound(game.sounds.laser);
  weapons.LastShotTick = game.host.Ticks();
  return true;
}

void SwitchTractorOn(Tractor& tractor) {
  tractor.Active = true;
  tractor.Sound.SetPosition(0);
  tractor.Sound.SetVolume(0);
  tractor.Sound.Play(false);
}

void SwitchTractorOff(Tractor& tractor) {
  tractor.Sound.SetVolume(0);
  StopSound(tractor.Sound);
  tractor.Active = false;
}

void ServeTractor(Game& game, Tractor& tractor, void (*beam)(Game&)) {
  if (!tractor.Active) return;
  if (tractor.Sound.IsPlaying()) {
    beam(game);
  } else {
    tractor.Active = false;
  }
}

std::string_view RandomImpact(Game& game) { return kImpacts[RandomSpread(game, 1, 5) - 1]; }

void DropMonkey(Game& game, RoundCommon& round, std::optional<int16_t> x) {
  Monkey& monkey = round.monkey;
  if (!MoreThanSince(game, monkey.DropTick, kMonkeyDropInterval)) return;
  if (RandomSpread(game, 1, 120) < 5) {
    monkey.Active = true;
    monkey.Landed = false;
    monkey.Caught = false;
    monkey.Y = kDropY;
    monkey.X = x ? *x : static_cast<int16_t>(RandomSpread(game, 100, 9250));
    LoadSound(game, monkey.Voice, kMonkeyVoices[RandomSpread(game, 1, 3) - 1]);
    LoadSound(game, monkey.FallSound, "sounds/dropfall.wav");
    monkey.FallSound.SetPan(monkey.X - game.state.ShipX);
    monkey.FallSound.SetVolume(FallVolume(monkey.Y));
    monkey.FallSound.Play(true);
  }
  monkey.DropTick = game.host.Ticks();
}

bool UpdateMonkey(Game& game, Monkey& monkey, int16_t stepMs) {
  const int32_t now = game.host.Ticks();
  monkey.Elapsed = now - monkey.LastTick;
  if (monkey.Elapsed <= stepMs) return false;
  const int32_t pan = monkey.X - game.state.ShipX;
  if (monkey.Active && !monkey.Landed) {
    monkey.Y = static_cast<int16_t>(monkey.Y + 10 * game.state.Difficulty);
    monkey.FallSound.SetPan(pan);
    monkey.FallSound.SetVolume(VoiceVolume(monkey.Y));
    monkey.FallSound.SetFrequency(FallFrequency(monkey.Y));
    // Now and then it cries out on the way down.
    if (RandomSpread(game, 1, 100) < 4 && !monkey.Voice.IsPlaying()) {
      LoadSound(game, monkey.Voice, kMonkeyVoices[RandomSpread(game, 1, 3) - 1]);
      monkey.Voice.SetPan(pan);
      monkey.Voice.SetVolume(VoiceVolume(monkey.Y));
      monkey.Voice.Play(false);
    }
  }
  if (monkey.Y > kGroundY && !monkey.Landed && !monkey.Caught) {
    monkey.Landed = true;
    StopSound(monkey.Voice);
    StopSound(monkey.FallSound);
    LoadSound(game, monkey.Voice, RandomImpact(game));
    monkey.Voice.SetPan(pan);
    monkey.Voice.SetVolume(DistanceVolume(game, monkey.X));
    monkey.Voice.Play(false);
  }
  monkey.LastTick = now;
  return true;
}

bool CatchMonkey(Game& game, RoundCommon& round) {
  Monkey& monkey = round.monkey;
  if (!monkey.Active || std::abs(game.state.ShipX - monkey.X) > kCatchReach) return false;
  StopSound(monkey.Voice);
  StopSound(monkey.FallSound);
  monkey.Active = false;
  monkey.Caught = true;
  LoadSound(game, monkey.Voice, "sounds/shpsuck.wav");
  monkey.Voice.Play(false);
  round.monkeyMusic.Play(false);
  SwitchTractorOff(round.tractor);
  return true;
}

void CountTicks(Game& game, SoundBuffer& counter, int32_t count, int64_t points) {
  int32_t delay = kFirstTickDelay;
  int32_t frequency = kFirstTickFrequency;
  int32_t last = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0) WaitSince(game, last, delay);
    last = game.host.Ticks();
    if (delay > kFastestTickDelay) delay -= 5;
    if (frequency < kHighestTickFrequency) frequency += 1000;
    counter.SetPosition(0);
    counter.SetFrequency(frequency);
    counter.Play(false);
    AddScore(game, points);
  }
}

void EndRoundSounds(Game& game, std::span<SoundBuffer* const> sounds) {
  StopSound(game.sounds.shield);
  game.state.ShieldActive = false;
  StopThrustSounds(game);
  MuteSound(game.sounds.nightLife);
  for (SoundBuffer* sound : sounds) FreeSound(*sound);
}

std::array<SoundBuffer*, 4> CommonSounds(RoundCommon& round) {
  return {&round.tractor.Sound, &round.monkey.Voice, &round.monkey.FallSound, &round.monkeyMusic};
}

}  // namespace sb
