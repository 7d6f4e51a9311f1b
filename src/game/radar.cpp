#include "game/radar.h"

#include <algorithm>

#include "game/game.h"

namespace sb {

namespace {

// Positions run from wall to wall over 0 .. 10000; the ground is where an
// alien lands and the ship flies.
constexpr float kFieldWidth = 10000.0f;
constexpr float kGroundLine = 6850.0f;

float Across(int32_t x) { return std::clamp(static_cast<float>(x) / kFieldWidth, 0.0f, 1.0f); }
float Down(int32_t y) { return std::clamp(static_cast<float>(y) / kGroundLine, 0.0f, 1.0f); }

void AddAliens(const Game& game, std::vector<RadarMark>& marks) {
  for (Colour colour : kSweepOrder) {
    for (const AlienRecord& a : game.aliens.groups[static_cast<size_t>(colour)].Aliens) {
      if (!a.Active || a.Destroyed) continue;
      if (a.Landed) {
        marks.push_back({RadarKind::LandedAlien, colour, Across(a.X), 1.0f});
      } else {
        marks.push_back({RadarKind::Alien, colour, Across(a.X), Down(a.Y)});
      }
    }
  }
}

void AddSaucer(const Game& game, std::vector<RadarMark>& marks) {
  const SaucerState& s = game.saucer;
  if (s.SaucerPresent) marks.push_back({RadarKind::Saucer, Colour::Blue, Across(s.SaucerX), 0.0f});
  if (s.PayloadDiving && s.DiveDistance > 0) {
    // The payload falls sideways from the saucer, reaching the ground at the dive's end.
    const float progress = std::clamp(s.DiveProgress / s.DiveDistance, 0.0f, 1.0f);
    const float x = s.SaucerX + s.DiveDirection * s.DiveProgress;
    marks.push_back({RadarKind::Payload, Colour::Blue, Across(static_cast<int32_t>(x)), progress});
  }
}

}  // namespace

RadarPicture TakeRadar(const Game& game) {
  RadarPicture picture;
  picture.marks.push_back({RadarKind::Ship, Colour::Blue, Across(game.state.ShipX), 1.0f});
  AddAliens(game, picture.marks);
  AddSaucer(game, picture.marks);
  const GameState& st = game.state;
  picture.status = "Energy " + std::to_string(st.Energy) + "  Score " + std::to_string(st.Score) + "  Level " +
                   std::to_string(st.Level) + "  Wave " + std::to_string(st.Wave);
  return picture;
}

}  // namespace sb
