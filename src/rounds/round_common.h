#pragma once
// What the special rounds share: the volumes of things that fall, pausing,
// the tractor beam, the monkey and the sounds every round's end puts right.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/runtime_error.h"
#include "rounds/round_state.h"

namespace sb {

struct Game;

constexpr int16_t kDropY = 180;     // where a dropped object starts
constexpr int16_t kGroundY = 6840;  // an object lower than this has landed

// The volumes of a falling object, in hundredths of a decibel.
// The whistle of a fall: about -1852 at the drop and -187 at the ground.
int32_t FallVolume(int32_t y);
// The object's own voice.
int32_t VoiceVolume(int32_t y);
// Something on the ground, by its distance from the ship.
int32_t DistanceVolume(const Game& game, int32_t x);
// A falling voice sounds lower as it comes down.
int32_t FallFrequency(int32_t y);

// Releases a round's sounds however its loop ends.
template <void (*release)(Game&)>
struct ReleaseOnExit {
  Game& game;
  ~ReleaseOnExit() { release(game); }
};

// A pass of a round's loop begins: input read and the host served. False
// when Escape leaves the round, without a tally (the game goes on).
bool BeginRoundPass(Game& game);

// The beam switched on (it lasts as long as its sound) or off, or the one
// from the other (the tractor key).
void SwitchTractorOn(Tractor& tractor);
void SwitchTractorOff(Tractor& tractor);
void ToggleTractor(Tractor& tractor);
// Each pass: while the beam's sound plays the beam works, then it is off.
void ServeTractor(Game& game, Tractor& tractor, void (*beam)(Game&));

// Every more than 2000 ms, now and then a monkey falls from `x` (anywhere
// when not given). A new monkey replaces the one before.
void DropMonkey(Game& game, RoundCommon& round, std::optional<int16_t> x);
// One falling step of the monkey when its time has come; true when it took one.
bool UpdateMonkey(Game& game, Monkey& monkey, int16_t stepMs);
// The beam catches a monkey within reach: it is sucked in to its music and
// the beam goes off. True when it was caught.
bool CatchMonkey(Game& game, RoundCommon& round);

// One of the five sounds of something hitting the ground.
std::string_view RandomImpact(Game& game);

// The counted ticks of a round's tally, each paying `points`.
void CountRoundTicks(Game& game, SoundBuffer& counter, int32_t count, int64_t points);

// The sounds of the beam, the monkey and its music.
std::array<SoundBuffer*, 4> CommonSounds(RoundCommon& round);

// Runs one step of a round's pass; a run-time error (a recording that cannot
// be loaded) abandons that step and the round goes on.
template <typename Step>
void RunStep(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace sb
