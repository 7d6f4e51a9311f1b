// The real window's focus, on a private X server: another window taking the
// keyboard focus pauses a game in play, and while it is away neither a key
// nor a controller acts; once the focus is back, P resumes. SDL tells the
// host through its window events, as on any desktop.

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "game/game.h"
#include "game/game_loop.h"
#include "hosts/sdl_host.h"
#include "hosts/virtual_sound_library.h"
#include "support/host_options.h"
#include "support/temp_dir.h"
#include "support/virtual_pad.h"
#include "support/xvfb.h"

namespace sb {
namespace {

struct TookTooLong {};

// The player, from the host's own Yield: once play runs another window takes
// the focus; while the game is paused there, P and the pad's first button
// are pressed; then the focus comes back, P resumes and Escape ends the game.
class FocusAway : public SdlHost {
 public:
  using SdlHost::SdlHost;
  Game* game = nullptr;
  SDL_Window* other = nullptr;
  SDL_Joystick* pad = nullptr;
  // What was seen along the way.
  bool pausedAway = false;         // the pause began with the window away
  bool heardAway = false;          // a key or button reached the game while away
  bool pausedThroughP = false;     // P held while away did not resume
  bool buttonHeardBack = false;    // the button still held was heard once the focus was back

  void Yield() override {
    SdlHost::Yield();
    if (!game) return;
    const int32_t now = Ticks();
    if (!start_) start_ = now;
    if (now - *start_ > 20000) throw TookTooLong{};
    const InputState& input = game->input;
    const bool paused = game->sounds.pauseLoop.IsPlaying();
    switch (step_) {
      case 0:
        if (game->state.GameActive) Next(now, [&] { SDL_SetWindowInputFocus(other); });
        break;
      case 1:
        if (paused) {
          pausedAway = !Focused();
          Next(now, [&] {
            Key(SDL_KEYDOWN, SDL_SCANCODE_P);
            SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
          });
        }
        break;
      case 2:
        heardAway = heardAway || KeyDown(input, dik::P) || ButtonDown(input, 0);
        if (now - stepAt_ > 300) {
          pausedThroughP = paused;
          Next(now, [&] {
            Key(SDL_KEYUP, SDL_SCANCODE_P);
            SDL_SetWindowInputFocus(Window());
          });
        }
        break;
      case 3:
        if (Focused() && input.focused) {
          buttonHeardBack = ButtonDown(input, 0);
          Next(now, [&] {
            SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
            Key(SDL_KEYDOWN, SDL_SCANCODE_P);
          });
        }
        break;
      case 4:
        if (!paused && now - stepAt_ > 100) Next(now, [&] { Key(SDL_KEYUP, SDL_SCANCODE_P); });
        break;
      case 5:
        if (now - stepAt_ > 100) Next(now, [&] { Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE); });
        break;
      default:
        break;
    }
  }

 private:
  template <typename F>
  void Next(int32_t now, F act) {
    act();
    stepAt_ = now;
    ++step_;
  }
  static void Key(Uint32 type, SDL_Scancode scancode) {
    SDL_Event key{};
    key.type = type;
    key.key.keysym.scancode = scancode;
    SDL_PushEvent(&key);
  }
  std::optional<int32_t> start_;
  int32_t stepAt_ = 0;
  int step_ = 0;
};

TEST(WindowFocus, AnotherWindowInFrontPausesPlayAndSilencesKeysAndController) {
  test::Xvfb server;
  if (server.Display().empty()) GTEST_SKIP() << "no X server (Xvfb) to open a window on";
  setenv("DISPLAY", server.Display().c_str(), 1);
  unsetenv("SDL_VIDEODRIVER");
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  test::TempDir dir;
  SdlHostOptions options = test::HostOptionsIn(dir.path());
  options.sounds = std::make_shared<VirtualSoundLibrary>();
  FocusAway host(options);
  host.ShowMainWindow("Starbarrow");
  ASSERT_NE(host.Window(), nullptr);
  host.other = SDL_CreateWindow("Another program", 0, 0, 200, 100, SDL_WINDOW_SHOWN);
  ASSERT_NE(host.other, nullptr) << SDL_GetError();
  // The game's window has the keyboard to begin with, and the focus events
  // that stirred up have all been heard.
  SDL_SetWindowInputFocus(host.Window());
  for (const int32_t start = host.Ticks(); host.Ticks() - start < 300;) host.Yield();
  ASSERT_TRUE(SDL_GetWindowFlags(host.Window()) & SDL_WINDOW_INPUT_FOCUS);
  ASSERT_TRUE(host.Focused());

  ASSERT_GE(test::AttachPad("Test pad"), 0) << SDL_GetError();
  Game game(host);
  ASSERT_TRUE(game.sound.Start());
  test::PlayWithController(game);
  ASSERT_TRUE(game.input.joystick.deviceOpen);
  host.pad = SDL_JoystickOpen(test::IndexOf("Test pad"));
  host.game = &game;

  EXPECT_NO_THROW(GameLoop(game)) << "the game was paused, resumed and left";

  EXPECT_TRUE(host.pausedAway) << "the game paused when the other window took the focus";
  EXPECT_FALSE(host.heardAway) << "P and the pad's button went unheard while the window was away";
  EXPECT_TRUE(host.pausedThroughP);
  EXPECT_TRUE(host.buttonHeardBack) << "back in focus, the button still held is heard";
  EXPECT_TRUE(game.state.QuitToMenu) << "Escape, heard after P resumed play";
  host.game = nullptr;
  SDL_JoystickClose(host.pad);
  SDL_JoystickDetachVirtual(test::IndexOf("Test pad"));
  SDL_DestroyWindow(host.other);
  host.SetJoystickListener(nullptr);
}

}  // namespace
}  // namespace sb
