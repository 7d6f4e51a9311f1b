#include "rounds/round_common.h"

#include <algorithm>
#include <cstdlib>

#include "game/game.h"
#include "game/tally_ticks.h"
#include "input/input.h"
#include "platform/vb_math.h"
#include "player/laser_gate.h"
#include "player/ship.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr int32_t kMonkeyDropInterval = 2000;
constexpr int32_t kFastestTickDelay = 20;

constexpr std::string_view kMonkeyVoices[] = {"sounds/monkey1.wav", "sounds/monkey2.wav", "sounds/monkey3.wav"};
constexpr std::string_view kImpacts[] = {"sounds/impact1.wav", "sounds/impact2.wav", "sounds/impact3.wav",
                                         "sounds/impact4.wav", "sounds/impact5.wav"};

}  // namespace

int32_t FallVolume(int32_t y) { return RoundHalfEven32(RoundHalfEven32(y / 4.0) - 1897.5); }
int32_t VoiceVolume(int32_t y) { return RoundHalfEven32(y * 0.4) - 3000; }
int32_t DistanceVolume(const Game& game, int32_t x) { return RoundHalfEven32(-std::abs(x - game.state.ShipX) / 2.0); }
int32_t FallFrequency(int32_t y) { return 44010 - 2 * y; }

bool BeginRoundPass(Game& game) {
  PollInput(game);
  game.host.Yield();
  if (!KeyDown(game.input, dik::ESCAPE)) return true;
  game.input.keyLatch[dik::ESCAPE] = true;
  game.state.GameActive = false;
  return false;
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

void ToggleTractor(Tractor& tractor) {
  if (tractor.Active) {
    SwitchTractorOff(tractor);
  } else {
    SwitchTractorOn(tractor);
  }
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
  if (!monkey.DropTick.MoreThan(game.host.Ticks(), kMonkeyDropInterval)) return;
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
  monkey.DropTick.Start(game.host.Ticks());
}

bool UpdateMonkey(Game& game, Monkey& monkey, int16_t stepMs) {
  const int32_t now = game.host.Ticks();
  if (!monkey.LastTick.MoreThan(now, stepMs)) return false;
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
  monkey.LastTick.Start(now);
  return true;
}

bool CatchMonkey(Game& game, RoundCommon& round) {
  Monkey& monkey = round.monkey;
  if (!monkey.Active || !WithinReach(game, monkey.X)) return false;
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

void CountRoundTicks(Game& game, SoundBuffer& counter, int32_t count, int64_t points) {
  CountTicks(game, counter, count, points, kFastestTickDelay);
}

std::array<SoundBuffer*, 4> CommonSounds(RoundCommon& round) {
  return {&round.tractor.Sound, &round.monkey.Voice, &round.monkey.FallSound, &round.monkeyMusic};
}

}  // namespace sb
