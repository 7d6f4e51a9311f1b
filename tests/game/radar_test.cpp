#include "game/radar.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sb
