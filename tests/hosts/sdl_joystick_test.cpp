// The real host's controllers, driven through SDL's virtual joysticks: the
// same SDL code paths a plugged-in pad takes, without the hardware.

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "hosts/sdl_host.h"
#include "hosts/sdl_joystick.h"
#include "hosts/virtual_sound_library.h"
#include "input/joystick.h"
#include "menus/joystick_menus.h"
#include "sound/game_sounds.h"
#include "support/actions.h"
#include "support/host_options.h"
#include "support/temp_dir.h"
#include "support/virtual_pad.h"

namespace sb {
namespace {

using test::AttachPad;
using test::AttachStick;
using test::IndexOf;

// Hands every pending SDL event to the controllers.
void Pump(SdlJoysticks& joysticks) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) joysticks.Handle(event);
}

struct SdlJoystickTest : ::testing::Test {
  void TearDown() override {
    joysticks.Close();
    SDL_Quit();
  }
  SdlJoysticks joysticks;
};

TEST_F(SdlJoystickTest, AKnownPadReadsInTheFixedLayout) {
  ASSERT_TRUE(joysticks.Start({}));
  ASSERT_GE(AttachPad("Test pad"), 0) << SDL_GetError();
  const int index = IndexOf("Test pad");
  ASSERT_GE(index, 0);
  const JoystickInfo info = joysticks.Info(index);
  EXPECT_EQ(info.name, "Test pad");
  EXPECT_EQ(info.axes, 6);
  EXPECT_EQ(info.buttons, 16) << "all but the touchpad";

  ASSERT_TRUE(joysticks.Open(index));
  SDL_Joystick* device = SDL_JoystickOpen(index);  // the same device, one more user
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, 32767);
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_RIGHTX, 1234);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_B, 1);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
  SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  joysticks.Notices().TakeState();
  Pump(joysticks);
  EXPECT_TRUE(joysticks.Notices().TakeState());
  EXPECT_FALSE(joysticks.Notices().TakeState()) << "a notice is taken once";

  RawJoystickState state;
  ASSERT_EQ(joysticks.Read(state), JoystickRead::Ok);
  EXPECT_EQ(state.axes[0], -32768);
  EXPECT_EQ(state.axes[1], 32767);
  EXPECT_EQ(state.axes[3], 1234) << "the right stick is Rx";
  for (int axis = 0; axis < 6; ++axis) EXPECT_TRUE(state.axisPresent[axis]) << axis;
  EXPECT_FALSE(state.axisPresent[6]);
  const std::vector<uint8_t> buttons(state.buttons.begin(), state.buttons.begin() + 8);
  EXPECT_EQ(buttons, (std::vector<uint8_t>{0, 1, 0, 0, 1, 0, 0, 0})) << "B is button 1, left shoulder 4";
  EXPECT_EQ(state.hats[0], SDL_HAT_LEFTUP) << "the direction pad is the first hat";
  SDL_JoystickClose(device);
}

TEST_F(SdlJoystickTest, AnUnknownDeviceReadsInItsDriversOrder) {
  ASSERT_TRUE(joysticks.Start({}));
  ASSERT_GE(AttachStick("Test stick", 3, 40, 1), 0) << SDL_GetError();
  const int index = IndexOf("Test stick");
  ASSERT_GE(index, 0);
  ASSERT_FALSE(SDL_IsGameController(index));
  const JoystickInfo info = joysticks.Info(index);
  EXPECT_EQ(info.axes, 3);
  EXPECT_EQ(info.buttons, 40);

  ASSERT_TRUE(joysticks.Open(index));
  SDL_Joystick* device = SDL_JoystickOpen(index);
  SDL_JoystickSetVirtualAxis(device, 2, -500);
  SDL_JoystickSetVirtualButton(device, 31, 1);
  SDL_JoystickSetVirtualButton(device, 39, 1);
  SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_RIGHTDOWN);
  Pump(joysticks);
  RawJoystickState state;
  ASSERT_EQ(joysticks.Read(state), JoystickRead::Ok);
  EXPECT_EQ(state.axes[2], -500);
  EXPECT_TRUE(state.axisPresent[2]);
  EXPECT_FALSE(state.axisPresent[3]);
  EXPECT_EQ(state.buttons[31], 1) << "buttons past the 32nd are not heard";
  EXPECT_EQ(state.hats[0], SDL_HAT_RIGHTDOWN);
  SDL_JoystickClose(device);
}

TEST_F(SdlJoystickTest, UnpluggingTheOpenDeviceIsNoticedAndItReadsAsLost) {
  ASSERT_TRUE(joysticks.Start({}));
  ASSERT_GE(AttachPad("Test pad"), 0);
  Pump(joysticks);
  EXPECT_TRUE(joysticks.Notices().TakeDevices());
  const int index = IndexOf("Test pad");
  ASSERT_TRUE(joysticks.Open(index));
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  Pump(joysticks);
  EXPECT_TRUE(joysticks.Notices().TakeDevices());
  RawJoystickState state;
  EXPECT_EQ(joysticks.Read(state), JoystickRead::Lost);
  EXPECT_FALSE(joysticks.Open(0)) << "nothing left to open";
}

TEST_F(SdlJoystickTest, MappingsBesideTheProgramAreRead) {
  test::TempDir dir;
  // A made-up device whose first two buttons are swapped by the file.
  const std::string line =
      "0300000034120000cdab000001000000,Mapped pad,a:b1,b:b0,x:b2,y:b3,leftx:a0,lefty:a1,platform:Linux,\n";
  dir.Write("gamecontrollerdb.txt", std::vector<uint8_t>(line.begin(), line.end()));
  ASSERT_TRUE(joysticks.Start({dir.path() / "nowhere", dir.path()}));
  char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString("0300000034120000cdab000001000000"));
  ASSERT_NE(mapping, nullptr);
  EXPECT_NE(std::string(mapping).find("Mapped pad"), std::string::npos);
  SDL_free(mapping);
}

// The whole way on the real host: a pad plugged in after start-up is taken
// up from Yield, and pushing its stick left is Escape in a menu.
TEST(SdlHostJoystick, APadPluggedInIsTakenUpAndDrivesTheMenus) {
  test::TempDir dir;
  SdlHostOptions options;
  options.programDir = dir.path() / "program";
  options.playerDir = dir.path() / "player";
  options.settingsFile = dir.path() / "settings.ini";
  options.instanceDir = dir.path() / "lock";
  SdlHost host(options);
  Game game(host);
  test::UseDefaultActions(game);
  game.player.controllerMode = 1;
  EnumerateJoysticks(game);
  game.input.joystick.setUpRequested = true;  // joystick control chosen while nothing was attached
  const int before = game.input.joystick.count;

  const int index = AttachPad("Late pad");
  ASSERT_GE(index, 0);
  for (int i = 0; i < 200000 && !game.input.joystick.deviceOpen; ++i) host.Yield();
  ASSERT_TRUE(game.input.joystick.deviceOpen) << "the pad was never taken up";
  EXPECT_EQ(game.input.joystick.count, before + 1);

  SDL_Joystick* device = SDL_JoystickOpen(IndexOf("Late pad"));
  SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  for (int i = 0; i < 200000 && !KeyDown(game.input, dik::ESCAPE); ++i) host.Yield();
  EXPECT_TRUE(KeyDown(game.input, dik::ESCAPE));
  EXPECT_EQ(game.input.joystick.axis[0], 0);
  SDL_JoystickClose(device);
  SDL_JoystickDetachVirtual(IndexOf("Late pad"));
  for (int i = 0; i < 200000 && game.input.joystick.deviceOpen; ++i) host.Yield();
  EXPECT_FALSE(game.input.joystick.deviceOpen);
  host.SetJoystickListener(nullptr);
}

// A player in the joystick test on the real host: a virtual pad's stick and
// button reach the screen through SDL as a plugged-in pad's would, and the
// Escape key leaves. The pad is moved from the host's own Yield.
class PadInTheJoystickTest : public SdlHost {
 public:
  using SdlHost::SdlHost;
  SDL_Joystick* pad = nullptr;
  bool laserBeforeButton = true;
  Game* game = nullptr;

  void Yield() override {
    SdlHost::Yield();
    const int32_t now = Ticks();
    if (!start_) start_ = now;
    const int32_t t = now - *start_;
    if (step_ == 0 && t > 300) Step([&] { SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767); });
    if (step_ == 1 && t > 600) Step([&] {
      laserBeforeButton = game->sounds.laser.IsPlaying();
      SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    });
    // Held down, so that no pass can miss it however late it comes.
    if (step_ == 2 && t > 1200) Step([&] { PressEscape(); });
  }

 private:
  template <typename F>
  void Step(F f) {
    f();
    ++step_;
  }
  static void PressEscape() {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&key);
  }
  std::optional<int32_t> start_;
  int step_ = 0;
};

TEST(SdlHostJoystick, APadDrivesTheJoystickTestScreen) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  test::TempDir dir;
  SdlHostOptions options = test::HostOptionsIn(dir.path());
  auto sounds = std::make_shared<VirtualSoundLibrary>();
  sounds->SetLength("sounds/laser.wav", 60000);  // still playing when the screen is left
  options.sounds = sounds;
  PadInTheJoystickTest host(options);
  host.ShowMainWindow("Starbarrow");  // the keyboard is read from the window
  ASSERT_GE(AttachPad("Test pad"), 0);
  Game game(host);
  ASSERT_TRUE(game.sound.Start());
  test::PlayWithController(game);
  ASSERT_TRUE(game.input.joystick.deviceOpen);
  host.game = &game;
  host.pad = SDL_JoystickOpen(IndexOf("Test pad"));

  JoystickTest(game);  // returns on the Escape key

  EXPECT_GT(game.input.joystick.axis[0], 9000) << "the stick pushed right reached the screen";
  EXPECT_FALSE(host.laserBeforeButton);
  EXPECT_TRUE(game.sounds.laser.IsPlaying()) << "the button started the laser sound";
  SDL_JoystickClose(host.pad);
  SDL_JoystickDetachVirtual(IndexOf("Test pad"));
  host.SetJoystickListener(nullptr);
}

}  // namespace
}  // namespace sb
