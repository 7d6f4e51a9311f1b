#pragma once
// The routines all sound-making code uses beside the buffers' own operations.

#include <cstdint>
#include <string_view>

#include "audio/sound_buffer.h"

namespace sb {

struct Game;
class SoundSystem;

// Empties the variable, then fills it with the named recording; a failure
// leaves it empty and raises a run-time error.
void LoadSound(SoundSystem& sound, SoundBuffer& buffer, std::string_view file);
void LoadSound(Game& game, SoundBuffer& buffer, std::string_view file);
// Stops the buffer and empties the variable.
void FreeSound(SoundBuffer& buffer);
// Stops the buffer; its place is kept.
void StopSound(SoundBuffer& buffer);
// Silences the buffer; it keeps playing.
void MuteSound(SoundBuffer& buffer);
// Stops, rewinds and plays once: the restart idiom for short effects.
void RestartSound(SoundBuffer& buffer);

// Plays one of the three explosions unless the last one still sounds;
// consecutive explosions use different recordings.
void PlayRandomExplosion(Game& game);

// Straight-line distance, rounded halves to even; 0 once the game is over.
int32_t Distance(const Game& game, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The volume of a flying alien at height y: -2000 at the top to -500 near the ground.
int32_t VolumeForHeight(const Game& game, int32_t y);

// A random integer in [low, high] that is never within 20 per cent of the
// previous result of this routine, and never equal to it.
int32_t RandomSpread(Game& game, int32_t low, int32_t high);

}  // namespace sb
