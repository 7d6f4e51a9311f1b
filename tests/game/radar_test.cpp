#include "game/radar.h"

#include <gtest/gtest.h>

#include <string_view>

#include "support/sim_game.h"

namespace sb {
namespace {

AlienRecord& Release(Game& game, Colour colour, int16_t x, int16_t y) {
  auto& aliens = game.aliens.groups[static_cast<size_t>(colour)].Aliens;
  AlienRecord& a = aliens.emplace_back();
  a.X = x;
  a.Y = y;
  a.Active = true;
  return a;
}

TEST(Radar, ShipMarkFollowsTheShipFromWallToWall) {
  test::SimGame sim;
  const struct {
    int16_t shipX;
    float x;
  } cases[] = {{0, 0.0f}, {5000, 0.5f}, {9500, 0.95f}, {12000, 1.0f}};
  for (const auto& c : cases) {
    sim.game.state.ShipX = c.shipX;
    const RadarPicture picture = TakeRadar(sim.game);
    ASSERT_FALSE(picture.marks.empty());
    EXPECT_EQ(picture.marks[0].kind, RadarKind::Ship);
    EXPECT_FLOAT_EQ(picture.marks[0].x, c.x) << c.shipX;
    EXPECT_FLOAT_EQ(picture.marks[0].y, 1.0f);
  }
}

TEST(Radar, AliensInTheirColourAtTheirPlaceLandedOnTheGroundGoneNotShown) {
  test::SimGame sim;
  Game& game = sim.game;
  Release(game, Colour::Red, 2500, 3425);
  Release(game, Colour::Cyan, 7500, 6000).Landed = true;
  Release(game, Colour::Green, 1000, 1000).Destroyed = true;
  Release(game, Colour::Green, 1000, 1000).Active = false;
  game.state.Energy = 80;
  game.state.Score = 1234;
  game.state.Level = 3;
  game.state.Wave = 2;

  const RadarPicture picture = TakeRadar(game);
  ASSERT_EQ(picture.marks.size(), 3u);
  const RadarMark& red = picture.marks[1];
  EXPECT_EQ(red.kind, RadarKind::Alien);
  EXPECT_EQ(red.colour, Colour::Red);
  EXPECT_FLOAT_EQ(red.x, 0.25f);
  EXPECT_FLOAT_EQ(red.y, 0.5f);
  const RadarMark& cyan = picture.marks[2];
  EXPECT_EQ(cyan.kind, RadarKind::LandedAlien);
  EXPECT_EQ(cyan.colour, Colour::Cyan);
  EXPECT_FLOAT_EQ(cyan.y, 1.0f);
  EXPECT_EQ(picture.status, "Energy 80  Score 1234  Level 3  Wave 2");
  // Taking the picture changes nothing it reads.
  EXPECT_EQ(game.aliens.groups[static_cast<size_t>(Colour::Red)].Aliens[0].Y, 3425);
}

TEST(Radar, SaucerAtTheTopAndItsPayloadFallingAside) {
  test::SimGame sim;
  SaucerState& s = sim.game.saucer;
  s.SaucerPresent = true;
  s.SaucerX = 4000;
  s.PayloadDiving = true;
  s.DiveDistance = 2000;
  s.DiveProgress = 1000;
  s.DiveDirection = -1;

  const RadarPicture picture = TakeRadar(sim.game);
  ASSERT_EQ(picture.marks.size(), 3u);
  EXPECT_EQ(picture.marks[1].kind, RadarKind::Saucer);
  EXPECT_FLOAT_EQ(picture.marks[1].x, 0.4f);
  EXPECT_FLOAT_EQ(picture.marks[1].y, 0.0f);
  EXPECT_EQ(picture.marks[2].kind, RadarKind::Payload);
  EXPECT_FLOAT_EQ(picture.marks[2].x, 0.3f);
  EXPECT_FLOAT_EQ(picture.marks[2].y, 0.5f);
}

// The kinds of mark a round's picture holds, in order after the ship.
std::vector<RadarKind> KindsAfterShip(const RadarPicture& p) {
  std::vector<RadarKind> kinds;
  for (size_t i = 1; i < p.marks.size(); ++i) kinds.push_back(p.marks[i].kind);
  return kinds;
}

TEST(Radar, TheRoundsShowWhatFallsAndTheMothership) {
  test::SimGame sim;
  Game& game = sim.game;
  // Place, then state: Active, Landed, Resolved (shot or caught), Burning, BurntOut.
  auto place = [](auto& thing, int16_t x, int16_t y, std::string_view flags) {
    thing.X = x;
    thing.Y = y;
    thing.Active = flags[0] == 'A';
    thing.Landed = flags[1] == 'L';
    thing.Resolved = flags[2] == 'R';
    if constexpr (requires { thing.Burning; }) {
      thing.Burning = flags[3] == 'B';
      thing.BurntOut = flags[4] == 'O';
    }
  };
  auto& objects = game.sheepDrop.objects;
  place(objects[0], 2000, 3425, "A-----");
  place(objects[1], 3000, 100, "A-----");
  objects[1].IsClone = true;
  place(objects[2], 4000, 6850, "AL----");
  place(objects[3], 5000, 900, "A-R---");  // shot: gone
  game.sheepDrop.common.monkey.Active = true;
  auto& rocks = game.meteorShower.meteors;
  place(rocks[0], 1000, 500, "A-----");
  place(rocks[1], 7000, 0, "ALRB--");
  place(rocks[2], 8000, 0, "ALRBO-");
  game.meteorShower.RoundEnergy = 7;
  game.boss.BossAlive = true;
  game.boss.BossX = 6000;
  game.boss.Rolling = true;
  game.boss.RollerX = 2500;
  game.aliens.groups[0].Aliens.push_back({});  // a wave's alien is not shown in a round
  game.aliens.groups[0].Aliens.back().Active = true;

  const RadarPicture sheep = TakeRadar(game, RadarScene::SheepDrop);
  EXPECT_EQ(KindsAfterShip(sheep), (std::vector<RadarKind>{RadarKind::Sheep, RadarKind::Clone, RadarKind::Sheep,
                                                            RadarKind::Monkey}));
  EXPECT_FLOAT_EQ(sheep.marks[1].y, 0.5f);
  EXPECT_FLOAT_EQ(sheep.marks[3].y, 1.0f);

  const RadarPicture meteors = TakeRadar(game, RadarScene::MeteorShower);
  EXPECT_EQ(KindsAfterShip(meteors), (std::vector<RadarKind>{RadarKind::Meteor, RadarKind::Meteor}));
  EXPECT_FLOAT_EQ(meteors.marks[2].y, 1.0f) << "a burning meteor lies on the ground";
  EXPECT_EQ(meteors.status.rfind("Energy 7 ", 0), 0u) << "the round's own energy";

  const RadarPicture boss = TakeRadar(game, RadarScene::Boss);
  EXPECT_EQ(KindsAfterShip(boss), (std::vector<RadarKind>{RadarKind::Mothership, RadarKind::Roller}));
  EXPECT_FLOAT_EQ(boss.marks[1].x, 0.6f);
  EXPECT_FLOAT_EQ(boss.marks[2].y, 1.0f);
}

}  // namespace
}  // namespace sb
