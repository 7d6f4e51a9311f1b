// The window shows what is heard: the caption of the prompt playing, the menu
// with its current item, the radar's ship where the ship is. Drawn by the
// real host on a private X server and read back from the renderer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "game/game.h"
#include "hosts/screen_painter.h"
#include "hosts/sdl_host.h"
#include "hosts/settings_store.h"
#include "hosts/virtual_sound_library.h"
#include "hosts/window_font.h"
#include "sound/speech.h"
#include "support/host_options.h"
#include "support/temp_dir.h"
#include "support/xvfb.h"

namespace sb {
namespace {

struct Region {
  int top;
  int bottom;  // exclusive
};

// The caption band is the window's bottom quarter; the menu and radar are above it.
Region CaptionBand(const ScreenFrame& f) { return {f.height - f.height / 4, f.height}; }
Region AboveCaption(const ScreenFrame& f) { return {0, f.height - f.height / 4}; }

int CountPixels(const ScreenFrame& f, Region r, auto matches) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = 0; x < f.width; ++x) n += matches(f.At(x, y)) ? 1 : 0;
  return n;
}

// Where pixels of one colour are, on average; -1 when there are none.
struct Centre {
  double x = -1;
  double y = -1;
};
Centre CentreOf(const ScreenFrame& f, Region r, Rgb colour) {
  double sx = 0, sy = 0;
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = 0; x < f.width; ++x)
      if (f.At(x, y) == colour.Argb()) sx += x, sy += y, ++n;
  return n ? Centre{sx / n, sy / n} : Centre{};
}

// Words are written bright on the caption band's black.
int CaptionPixels(const ScreenFrame& f) {
  return CountPixels(f, CaptionBand(f), [](uint32_t p) { return ((p >> 16) & 0xFF) > 128 && ((p >> 8) & 0xFF) > 128; });
}

// SB_WINDOW_FRAMES=DIR keeps each frame a test draws there, as a PPM picture.
void KeepFrame(const ScreenFrame& f) {
  const char* dir = std::getenv("SB_WINDOW_FRAMES");
  if (!dir) return;
  static int count = 0;
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  std::ofstream out(std::string(dir) + "/" + test->name() + "-" + std::to_string(++count) + ".ppm",
                    std::ios::binary);
  out << "P6\n" << f.width << ' ' << f.height << "\n255\n";
  for (uint32_t p : f.pixels) out << char(p >> 16) << char(p >> 8) << char(p);
}

class WindowView : public testing::Test {
 protected:
  void SetUp() override {
    if (server_.Display().empty()) GTEST_SKIP() << "no X server (Xvfb) to open a window on";
    setenv("DISPLAY", server_.Display().c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    options_ = test::HostOptionsIn(dir_.path());
    options_.sounds = sounds_;
  }

  ScreenFrame Paint(SdlHost& host) {
    std::optional<ScreenFrame> frame = host.PaintNow();
    if (!frame) ADD_FAILURE() << "nothing was drawn";
    if (frame) KeepFrame(*frame);
    return frame.value_or(ScreenFrame{});
  }

  test::Xvfb server_;
  test::TempDir dir_;
  std::shared_ptr<VirtualSoundLibrary> sounds_ = std::make_shared<VirtualSoundLibrary>();
  SdlHostOptions options_;
};

TEST_F(WindowView, APromptIsCaptionedWhileItPlaysAndAnEffectIsNot) {
  if (!FindWindowFont()) GTEST_SKIP() << "no font installed";
  SdlHost host(options_);
  host.ShowMainWindow("Starbarrow");
  Game game(host);
  ASSERT_TRUE(game.sound.Start());
  EXPECT_EQ(CaptionPixels(Paint(host)), 0);

  PlaySound(game, "sounds\\tractor.wav", 0, false);  // an effect: no words
  EXPECT_EQ(CaptionPixels(Paint(host)), 0);

  PlaySound(game, "system\\menu\\newgame.wav", 0, false);
  EXPECT_GT(CaptionPixels(Paint(host)), 200);

  // Once it has ended (and the short linger is over) the caption is gone.
  while (game.speech.channel.IsPlaying()) host.Yield();
  const int32_t ended = host.Ticks();
  while (host.Ticks() - ended < 400) host.Yield();
  EXPECT_EQ(CaptionPixels(Paint(host)), 0);
}

TEST_F(WindowView, TheRadarsShipMarkFollowsTheShip) {
  SdlHost host(options_);
  host.ShowMainWindow("Starbarrow");
  Game game(host);
  EXPECT_EQ(CentreOf(Paint(host), {0, 450}, kShipMarkColour).x, -1) << "no radar outside play";
  const RadarOnScreen wave(game);
  game.state.ShipX = 1000;
  const ScreenFrame left = Paint(host);
  game.state.ShipX = 9000;
  const ScreenFrame right = Paint(host);
  const Centre a = CentreOf(left, AboveCaption(left), kShipMarkColour);
  const Centre b = CentreOf(right, AboveCaption(right), kShipMarkColour);
  ASSERT_GT(a.x, 0) << "the ship is drawn";
  EXPECT_LT(a.x, left.width * 0.2);
  EXPECT_GT(b.x, right.width * 0.8);
  EXPECT_NEAR(a.y, b.y, 1.0) << "the ship stays on the ground line";
}

TEST_F(WindowView, TheMenusCurrentItemIsMarked) {
  SdlHost host(options_);
  host.ShowMainWindow("Starbarrow");
  Game game(host);
  MenuOnScreen menu(game, "Options", std::vector<std::string>{"one", "two", "three", "four"});
  menu.Mark(0);
  const ScreenFrame first = Paint(host);
  menu.Mark(3);
  const ScreenFrame fourth = Paint(host);
  const Centre a = CentreOf(first, AboveCaption(first), kCurrentItemBar);
  const Centre b = CentreOf(fourth, AboveCaption(fourth), kCurrentItemBar);
  ASSERT_GT(a.y, 0) << "the current item has its bar";
  EXPECT_GT(b.y, a.y + 10) << "the bar moved down three items";
}

// Rows with a pixel of the colour.
int RowsWith(const ScreenFrame& f, Rgb colour) {
  int rows = 0;
  for (int y = 0; y < f.height; ++y) {
    for (int x = 0; x < f.width; ++x) {
      if (f.At(x, y) == colour.Argb()) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

TEST_F(WindowView, TheMenuGrowsWithTheWindow) {
  if (!FindWindowFont()) GTEST_SKIP() << "no font installed";
  SdlHost host(options_);
  host.ShowMainWindow("Starbarrow");
  Game game(host);
  MenuOnScreen menu(game, "Options", std::vector<std::string>{"one", "two"});
  menu.Mark(1);
  const ScreenFrame small = Paint(host);
  SDL_SetWindowSize(host.Window(), small.width * 2, small.height * 2);
  // The new size arrives as an event, soon.
  for (const int32_t start = host.Ticks(); host.Ticks() - start < 5000 && host.PaintNow()->width == small.width;) {
    host.Yield();
  }
  const ScreenFrame large = Paint(host);
  ASSERT_EQ(large.width, small.width * 2);
  const int before = RowsWith(small, kCurrentItemBar);
  ASSERT_GT(before, 0);
  EXPECT_NEAR(static_cast<double>(RowsWith(large, kCurrentItemBar)) / before, 2.0, 0.25)
      << "the current item's bar is as tall as a line of its words";
}

TEST_F(WindowView, TheToggleKeyHidesTheViewAndTheChoiceIsKept) {
  {
    SdlHost host(options_);
    host.ShowMainWindow("Starbarrow");
    Game game(host);
    const RadarOnScreen wave(game);
    ASSERT_TRUE(host.ViewOn());
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.keysym.scancode = kViewToggleKey;
    SDL_PushEvent(&press);
    for (int i = 0; i < 100 && host.ViewOn(); ++i) host.Yield();
    EXPECT_FALSE(host.ViewOn());
    const ScreenFrame hidden = Paint(host);
    EXPECT_EQ(CentreOf(hidden, AboveCaption(hidden), kShipMarkColour).x, -1) << "no radar while hidden";
    EXPECT_EQ(CaptionPixels(hidden), 0);
  }
  EXPECT_EQ(ReadIniSetting(options_.settingsFile, "Starbarrow", "Window", "view"), "off");
  SdlHost again(options_);
  again.ShowMainWindow("Starbarrow");
  EXPECT_FALSE(again.ViewOn()) << "the next run starts hidden";
}

TEST_F(WindowView, AFontThatIsNotOneLeavesTheWindowDrawnWithoutWords) {
  const std::filesystem::path garbage = dir_.path() / "font.ttf";
  std::ofstream(garbage) << "not a font at all";
  PreferSoftwareDrawing();  // as the program draws
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_Window* window = SDL_CreateWindow("t", 0, 0, 320, 180, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr);
  {
    ScreenPainter painter(window, garbage);
    EXPECT_FALSE(painter.HasFont());
    ScreenPicture picture;
    picture.radar = RadarPicture{{{RadarKind::Ship, Colour::Blue, 0.5f, 1.0f}}, "Energy 100"};
    const std::optional<ScreenFrame> frame = painter.Draw(picture, {"Hello", true}, true);
    ASSERT_TRUE(frame);
    EXPECT_GT(CentreOf(*frame, AboveCaption(*frame), kShipMarkColour).x, 0) << "the radar is still drawn";
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
}

TEST(WindowFont, TheFirstReadableFileIsTakenAndNoneIsNothing) {
  test::TempDir dir;
  const std::string font = (dir.path() / "a.ttf").string();
  std::ofstream(font) << "x";
  const char* paths[] = {"/nonexistent/font.ttf", font.c_str()};
  EXPECT_EQ(FindWindowFont(paths, false), std::filesystem::path(font));
  const char* none[] = {"/nonexistent/font.ttf"};
  EXPECT_EQ(FindWindowFont(none, false), std::nullopt);
}

}  // namespace
}  // namespace sb
