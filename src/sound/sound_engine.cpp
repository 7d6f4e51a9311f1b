#include "sound/sound_engine.h"

#include <cmath>
#include <cstdlib>

#include "game/game.h"
#include "platform/vb_math.h"

namespace sb {

void LoadSound(SoundSystem& sound, SoundBuffer& buffer, std::string_view file) {
  buffer.Reset();
  buffer = sound.Create(file);
}

void LoadSound(Game& game, SoundBuffer& buffer, std::string_view file) { LoadSound(game.sound, buffer, file); }

void FreeSound(SoundBuffer& buffer) {
  buffer.Stop();
  buffer.Reset();
}

void StopSound(SoundBuffer& buffer) { buffer.Stop(); }

void MuteSound(SoundBuffer& buffer) { buffer.SetVolume(kVolumeMin); }

void RestartSound(SoundBuffer& buffer) {
  buffer.Stop();
  buffer.SetPosition(0);
  buffer.Play(false);
}

void PlayRandomExplosion(Game& game) {
  GameSounds& s = game.sounds;
  if (s.explosion[s.lastExplosion].IsPlaying()) return;
  const auto i = static_cast<uint8_t>(RandomSpread(game, 0, 2));
  s.explosion[i].Play(false);
  s.lastExplosion = i;
}

int32_t Distance(const Game& game, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (game.state.GameOver) return 0;
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  return static_cast<int32_t>(RoundHalfEven(std::sqrt(dx * dx + dy * dy)));
}

int32_t BlastVolume(int32_t y) { return RoundHalfEven32(y * 0.22 - 1525); }

int32_t VolumeForHeight(const Game& game, int32_t y) {
  if (game.state.GameOver) return 0;
  if (y >= 180 && y < 1290) return static_cast<int32_t>(RoundHalfEven((y - 180) * 1000.0 / 1110.0)) - 2000;
  if (y >= 1290 && y <= 6840) return static_cast<int32_t>(RoundHalfEven((y - 1290) * 500.0 / 5550.0)) - 1000;
  return 0;
}

namespace {

// How far apart two values are, in per cent of the larger, rounded.
int64_t SpreadDistance(int32_t r, int32_t previous) {
  if (r == previous) return 0;
  const double ratio = r < previous ? static_cast<double>(r) / previous : static_cast<double>(previous) / r;
  return RoundHalfEven(std::fabs(100.0 - ratio * 100.0));
}

}  // namespace

int32_t RandomSpread(Game& game, int32_t low, int32_t high) {
  RandomState& rs = game.random;
  if (high < low) std::swap(low, high);
  const int32_t previous = rs.spreadHasPrevious ? rs.spreadPrevious : 5000;
  rs.rnd.Randomize(game.host.TimerSeconds());

  // Single-precision arithmetic, as the odds were tuned with it.
  auto draw = [&] {
    const float span = static_cast<float>(high - low + 1);
    return static_cast<int32_t>(std::floor(span * rs.rnd.Next() + static_cast<float>(low)));
  };
  // A range too narrow for the 20 per cent rule must not spin forever: after
  // enough draws any value other than the previous one will do, and a range
  // of one value gives that value.
  constexpr int kDraws = 1000;
  int32_t r = low;
  bool found = false;
  for (int i = 0; i < kDraws && !found; ++i) {
    r = draw();
    found = SpreadDistance(r, previous) >= 20;
  }
  for (int i = 0; i < kDraws && !found; ++i) {
    r = draw();
    found = r != previous;
  }
  if (!found) r = low != previous ? low : high;

  rs.spreadPrevious = r;
  rs.spreadHasPrevious = true;
  return r;
}

}  // namespace sb
