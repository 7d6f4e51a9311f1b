#pragma once
// What the window's radar shows of a wave or round: the field from wall to
// wall, read from the game state and never written to it.

#include <cstdint>
#include <string>
#include <vector>

#include "aliens/alien_state.h"
#include "game/screen_state.h"

namespace sb {

struct Game;

// Sheep, clones, meteors and the monkey fall in the special rounds; the
// mothership flies over the boss round and drops its roller.
enum class RadarKind : uint8_t {
  Ship, Alien, LandedAlien, Saucer, Payload,
  Sheep, Clone, Meteor, Monkey, Mothership, Roller,
};

// A mark on the strip: x from 0 (left wall) to 1 (right wall), y from 0 (top
// of the field) to 1 (the ground line).
struct RadarMark {
  RadarKind kind;
  Colour colour;  // aliens only (blue for the rest)
  float x;
  float y;
  bool operator==(const RadarMark&) const = default;
};

struct RadarPicture {
  std::vector<RadarMark> marks;  // the ship first
  std::string status;            // energy, score, level and wave
  bool operator==(const RadarPicture&) const = default;
};

RadarPicture TakeRadar(const Game& game, RadarScene scene = RadarScene::Wave);

}  // namespace sb
