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

void Add(std::vector<RadarMark>& marks, RadarKind kind, int32_t x, int32_t y) {
  marks.push_back({kind, Colour::Blue, Across(x), Down(y)});
}

// A thing that falls in a round is shown from its drop until it is shot,
// caught or gone; one on the ground stays on the ground line.
template <typename Thing>
void AddFalling(std::vector<RadarMark>& marks, RadarKind kind, const Thing& t) {
  if (t.Active) Add(marks, kind, t.X, t.Landed ? kGroundLine : t.Y);
}

void AddSheepDrop(const Game& game, std::vector<RadarMark>& marks) {
  for (const FallingObject& o : game.sheepDrop.objects) {
    if (!o.Resolved) AddFalling(marks, o.IsClone ? RadarKind::Clone : RadarKind::Sheep, o);
  }
  AddFalling(marks, RadarKind::Monkey, game.sheepDrop.common.monkey);
}

void AddMeteorShower(const Game& game, std::vector<RadarMark>& marks) {
  for (const Meteor& m : game.meteorShower.meteors) {
    if (!m.Resolved || (m.Burning && !m.BurntOut)) AddFalling(marks, RadarKind::Meteor, m);
  }
  AddFalling(marks, RadarKind::Monkey, game.meteorShower.common.monkey);
}

void AddBoss(const Game& game, std::vector<RadarMark>& marks) {
  const BossState& b = game.boss;
  if (b.BossAlive) Add(marks, RadarKind::Mothership, b.BossX, 0);
  // The roller falls from the mothership, then rolls along the ground.
  if (b.Dropping) Add(marks, RadarKind::Roller, b.RollerX, static_cast<int32_t>(kGroundLine / 2));
  if (b.Landed || b.Rolling) Add(marks, RadarKind::Roller, b.RollerX, static_cast<int32_t>(kGroundLine));
}

}  // namespace

RadarPicture TakeRadar(const Game& game, RadarScene scene) {
  RadarPicture picture;
  picture.marks.push_back({RadarKind::Ship, Colour::Blue, Across(game.state.ShipX), 1.0f});
  switch (scene) {
    case RadarScene::Wave:
      AddAliens(game, picture.marks);
      AddSaucer(game, picture.marks);
      break;
    case RadarScene::SheepDrop:
      AddSheepDrop(game, picture.marks);
      break;
    case RadarScene::MeteorShower:
      AddMeteorShower(game, picture.marks);
      break;
    case RadarScene::Boss:
      AddBoss(game, picture.marks);
      break;
  }
  const GameState& st = game.state;
  // The meteor shower's energy is the round's own.
  const int energy = scene == RadarScene::MeteorShower ? game.meteorShower.RoundEnergy : st.Energy;
  picture.status = "Energy " + std::to_string(energy) + "  Score " + std::to_string(st.Score) + "  Level " +
                   std::to_string(st.Level) + "  Wave " + std::to_string(st.Wave);
  return picture;
}

}  // namespace sb
