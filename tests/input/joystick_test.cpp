#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "input/input.h"
#include "input/joystick.h"
#include "platform/joystick_axes.h"
#include "support/sim_game.h"

namespace sb {
namespace {

// ---------------------------------------------------------------------------
// The axis mapping: pure numbers.

const AxisProperties kStick = StickAxisProperties()[0];

TEST(JoystickAxes, TheStickMapsRawPositionsOntoZeroToTenThousand) {
  struct Case {
    int32_t raw;
    int32_t reported;
  };
  const Case cases[] = {
      {0, 5000},      {3276, 5000},   {-3276, 5000},  // the dead zone: a tenth of each half
      {6554, 5588},   {17203, 7500},  {-17203, 2500},  // the linear zone
      {31129, 10000}, {32767, 10000},                  // saturated from 95 % of the travel
      {-31129, 0},    {-32768, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(MapAxis(c.raw, kStick), c.reported) << "raw " << c.raw;
}

// Over every raw value: the centre is exact across the dead zone, the two
// halves mirror each other, nothing goes backwards and nothing jumps.
TEST(JoystickAxes, TheStickMappingIsMonotoneSymmetricAndContinuous) {
  int32_t previous = MapAxis(-32768, kStick);
  int biggestStep = 0;
  for (int32_t raw = -32767; raw <= 32767; ++raw) {
    const int32_t value = MapAxis(raw, kStick);
    ASSERT_GE(value, previous) << "raw " << raw;
    biggestStep = std::max(biggestStep, value - previous);
    previous = value;
    ASSERT_EQ(value + MapAxis(-raw, kStick), 10000) << "raw " << raw;
    if (raw >= -3276 && raw <= 3276) {
      ASSERT_EQ(value, 5000) << "raw " << raw;
    }
  }
  EXPECT_LE(biggestStep, 1) << "5000 reported steps over 27852 raw ones";
}

TEST(JoystickAxes, OnlyTheStickHasADeadZoneAndSaturation) {
  const auto properties = StickAxisProperties();
  EXPECT_EQ(properties[1].deadZone, 1000);
  EXPECT_EQ(properties[1].saturation, 9500);
  for (int axis = 2; axis < 8; ++axis) {
    EXPECT_EQ(MapAxis(3000, properties[axis]), 5458) << "axis " << axis;
    EXPECT_EQ(MapAxis(31500, properties[axis]), 9807) << "axis " << axis;
    EXPECT_EQ(MapAxis(-32768, properties[axis]), 0) << "axis " << axis;
  }
}

TEST(JoystickAxes, PropertiesOutOfOrderStillGiveValuesInRange) {
  const AxisProperties odd[] = {{0, 10000, 6000, 2000}, {0, 10000, -5, 20000}, {100, 100, 1000, 9500},
                                {500, -500, 1000, 9500}};
  for (const AxisProperties& p : odd) {
    for (int32_t raw : {-32768, -20000, -1, 0, 1, 4000, 20000, 32767}) {
      const int32_t value = MapAxis(raw, p);
      EXPECT_GE(value, std::min(p.min, p.max));
      EXPECT_LE(value, std::max(p.min, p.max));
    }
  }
  EXPECT_EQ(MapAxis(20000, odd[0]), 10000) << "a saturation inside the dead zone leaves only the ends";
}

TEST(JoystickAxes, HatsBecomeAngles) {
  const std::pair<uint8_t, int32_t> cases[] = {{0x00, -1},    {0x01, 0},     {0x03, 4500},  {0x02, 9000},
                                               {0x06, 13500}, {0x04, 18000}, {0x0C, 22500}, {0x08, 27000},
                                               {0x09, 31500}, {0x05, -1},    {0x0F, -1}};
  for (const auto& [hat, angle] : cases) EXPECT_EQ(PovFromHat(hat), angle) << "hat " << int(hat);
}

TEST(JoystickAxes, AReadingKeepsButtonsAsTheTopBit) {
  RawJoystickState raw;
  raw.buttons[0] = 1;
  raw.buttons[31] = 1;
  raw.axes[0] = -32768;
  raw.hats[0] = 0x02;
  const JoystickReading reading = MapJoystickState(raw, StickAxisProperties());
  EXPECT_EQ(reading.buttons[0], 0x80);
  EXPECT_EQ(reading.buttons[1], 0x00);
  EXPECT_EQ(reading.buttons[31], 0x80);
  EXPECT_EQ(reading.axis[0], 0);
  EXPECT_EQ(reading.axis[1], 5000);
  EXPECT_EQ(reading.pov[0], 9000);
  EXPECT_EQ(reading.pov[1], -1);
}

// ---------------------------------------------------------------------------
// The joystick event on the simulated host.

// A program with the default action table and `joysticks` scripted
// controllers, set up for joystick control unless told otherwise.
struct Rig : test::SimGame {
  explicit Rig(const std::string& script, int joysticks = 1, bool joystickControl = true,
               uint8_t preferred = 0)
      : test::SimGame(test::Scripted(script, std::nullopt, joysticks)) {
    test::UseDefaultActions(game);
    game.player.controllerMode = joystickControl ? 1 : 0;
    game.player.preferredJoystick = preferred;
    EnumerateJoysticks(game);
    if (joystickControl) SetUpJoystick(game);
  }

  // Loop passes as a menu or the game loop runs them: poll, let the window's
  // messages (and so the controller's events) run, then look at the input.
  void RunUntil(int32_t ms, const std::function<void()>& each = [] {}) {
    while (host.Ticks() < ms) {
      PollInput(game);
      host.Yield();
      each();
    }
  }

  // How often a menu sees `key` pressed until `ms`, acting on each press once.
  int MenuPresses(uint8_t key, int32_t ms) {
    int presses = 0;
    RunUntil(ms, [&] {
      if (KeyPressed(game.input, key)) {
        ++presses;
        game.input.keyLatch[key] = true;
      }
    });
    return presses;
  }
};

// The stick pushed left: Escape in a menu (but not on the joystick test
// screen, which only the Escape key leaves), move-left in a game.
TEST(JoystickEvent, TheStickPushedLeftIsEscapeInAMenuAndMoveLeftInAGame) {
  struct Case {
    const char* where;
    bool gameActive;
    bool joystickTest;
    int escapes;
    bool movesLeft;
  };
  const Case cases[] = {{"menu", false, false, 1, true}, {"test screen", false, true, 0, true},
                        {"game", true, false, 0, true}};
  for (const Case& c : cases) {
    Rig rig("100 axis X -32768\n300 axis X 0\n");
    rig.game.state.GameActive = c.gameActive;
    rig.game.input.joystickTest = c.joystickTest;
    bool movedLeft = false;
    int escapes = 0;
    rig.RunUntil(299, [&] {
      if (KeyPressed(rig.game.input, dik::ESCAPE)) {
        ++escapes;
        rig.game.input.keyLatch[dik::ESCAPE] = true;
      }
      movedLeft = movedLeft || rig.game.input.actions[kMoveLeft].active;
    });
    EXPECT_EQ(escapes, c.escapes) << c.where << ": one push, held for 200 ms";
    EXPECT_EQ(movedLeft, c.movesLeft) << c.where;
    EXPECT_TRUE(rig.game.input.actions[kMoveLeft].active) << c.where << ": held";
    EXPECT_FALSE(rig.game.input.actions[kMoveRight].active) << c.where;
    rig.RunUntil(320);
    EXPECT_FALSE(rig.game.input.actions[kMoveLeft].active) << c.where << ": let go";
    EXPECT_FALSE(ButtonDown(rig.game.input, kStickLeft)) << c.where;
  }
}

// A read that fails leaves the controller as it was last heard; the next
// change is read again and heard in full.
TEST(JoystickEvent, AFailedReadIsIgnoredAndTheNextChangeIsHeard) {
  Rig rig("100 joystick fail\n100 button 0 down\n300 axis X 0\n400 joystick fail\n400 button 0 up\n"
          "500 joystick fail\n");
  rig.RunUntil(299);
  EXPECT_FALSE(ButtonDown(rig.game.input, 0)) << "the failed read told nothing";
  EXPECT_EQ(rig.MenuPresses(dik::RETURN, 399), 1) << "the stick's move read the button as well";
  rig.RunUntil(500);
  EXPECT_TRUE(ButtonDown(rig.game.input, 0)) << "a failed read keeps the last reading";
  JoystickEvent(rig.game);
  EXPECT_TRUE(ButtonDown(rig.game.input, 0)) << "the event goes on with the last reading";
  JoystickEvent(rig.game);
  EXPECT_FALSE(ButtonDown(rig.game.input, 0)) << "the next read works again";
  EXPECT_TRUE(rig.game.input.joystick.deviceOpen);
}

// The stick and the first two buttons drive the menus as the arrows and
// Enter; in a game they emulate no key.
TEST(JoystickEvent, TheMenusHearArrowsAndEnterFromTheController) {
  struct Case {
    const char* script;
    uint8_t key;
  };
  const Case cases[] = {{"100 axis X 32767\n200 axis X 0\n", dik::RIGHT},
                        {"100 axis Y -32768\n200 axis Y 0\n", dik::UP},
                        {"100 axis Y 32767\n200 axis Y 0\n", dik::DOWN},
                        {"100 button 0 down\n200 button 0 up\n", dik::RETURN},
                        {"100 button 1 down\n200 button 1 up\n", dik::RETURN}};
  for (const Case& c : cases) {
    for (const bool gameActive : {false, true}) {
      Rig rig(c.script);
      rig.game.state.GameActive = gameActive;
      EXPECT_EQ(rig.MenuPresses(c.key, 300), gameActive ? 0 : 1) << c.script << (gameActive ? " in a game" : "");
    }
  }
}

// A button bound to a one-shot action gives Enter once per press, however
// often the controller's state changes while it is held.
TEST(JoystickEvent, AButtonHeldWhileTheStickTremblesIsOneEnter) {
  Rig rig(
      "100 button 0 down\n"
      "120 axis X 9000\n140 axis X 5000\n160 axis Y 9000\n180 axis Y 0\n"
      "200 button 0 up\n300 button 0 down\n400 button 0 up\n");
  EXPECT_EQ(rig.MenuPresses(dik::RETURN, 500), 2);
}

// Choosing joystick control again (from a menu, with the controller's own
// button) keeps that button's press: held on, it is not a second Enter when
// the controller's state next changes.
TEST(JoystickEvent, SettingUpAgainDoesNotPressAHeldButtonAgain) {
  Rig rig("100 button 0 down\n200 axis X 9000\n300 button 0 up\n");
  int enters = 0;
  rig.RunUntil(400, [&] {
    if (KeyPressed(rig.game.input, dik::RETURN)) {
      ++enters;
      rig.game.input.keyLatch[dik::RETURN] = true;
      SetUpJoystick(rig.game);
    }
  });
  EXPECT_EQ(enters, 1);
}

// A stick held hard over sends changes that all read as the end of its
// travel, and one resting near the middle changes nothing the game sees: no
// extra Escape, no event at all.
TEST(JoystickEvent, ChangesTheGameCannotSeeRunNoEvent) {
  Rig rig(
      "100 axis X -32768\n110 axis X -32000\n120 axis X -31500\n130 axis X -32767\n"
      "200 axis X 0\n"
      "300 axis X 3000\n310 axis X -3000\n320 axis Y 2500\n330 axis Y -3276\n");
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 250), 1);
  // From here every change stays inside the dead zone: a latch set by hand
  // would be cleared by any event that ran.
  rig.game.input.buttonLatch[kStickUp] = true;
  rig.RunUntil(400);
  EXPECT_TRUE(rig.game.input.buttonLatch[kStickUp]);
  EXPECT_EQ(rig.game.input.joystick.axis[0], 5000);
  EXPECT_EQ(rig.game.input.joystick.axis[1], 5000);
}

// The game's use of the two weapons, as simple as it gets: the laser fires on
// every pass its action is active, the missile once each time its action
// turns active with its latch clear.
struct Shots {
  int laserPasses = 0;
  int missiles = 0;
  void Take(InputState& input) {
    if (input.actions[kLaser].active) ++laserPasses;
    if (input.actions[kFireMissile].active && !input.actionLatch[kFireMissile]) {
      ++missiles;
      input.actionLatch[kFireMissile] = true;
    }
  }
};

// Holding the laser's button keeps firing, even while other changes of the
// controller run the event (which clears the flags); holding the missile's
// fires once per press.
TEST(JoystickEvent, AHeldLaserButtonKeepsFiringAndAHeldMissileButtonFiresOnce) {
  Rig rig(
      "100 button 1 down\n100 button 0 down\n"
      "150 axis X 5000\n200 axis X 0\n250 axis Y 5000\n"  // inside the stick's travel, not pushed
      "400 button 1 up\n400 button 0 up\n"
      "500 button 0 down\n600 button 0 up\n");
  rig.game.state.GameActive = true;
  Shots shots;
  int passes = 0;
  rig.RunUntil(400, [&] {
    if (rig.host.Ticks() > 100) ++passes;
    shots.Take(rig.game.input);
  });
  EXPECT_GE(shots.laserPasses, passes - 20) << "the laser fires through the whole hold";
  EXPECT_EQ(shots.missiles, 1);
  rig.RunUntil(700, [&] { shots.Take(rig.game.input); });
  EXPECT_EQ(shots.missiles, 2) << "a second press fires a second missile";
  EXPECT_FALSE(rig.game.input.actions[kLaser].active);
  EXPECT_LE(shots.laserPasses, passes + 20) << "the laser stops with its button";
}

// Super (the stick pulled down by default) works from the controller only
// while a turbo stock is held; from the keyboard it is not restricted here.
TEST(JoystickEvent, SuperFromTheControllerNeedsATurboStock) {
  struct Case {
    const char* script;
    bool turbo;
    bool super;
  };
  const Case cases[] = {{"100 axis Y 32767\n300 axis Y 0\n", false, false},
                        {"100 axis Y 32767\n300 axis Y 0\n", true, true},
                        {"100 down LSHIFT\n300 up LSHIFT\n", false, true}};
  for (const Case& c : cases) {
    Rig rig(c.script);
    rig.game.state.GameActive = true;
    rig.game.state.TurboAvailable = c.turbo;
    bool super = false;
    rig.RunUntil(300, [&] { super = super || rig.game.input.actions[kSuper].active; });
    EXPECT_EQ(super, c.super) << c.script << " turbo " << c.turbo;
  }
}

// Up and down act once per push: their latches hold until the stick is back
// near the middle, not merely out of the pushed zone.
TEST(JoystickEvent, TheStickMustComeBackToTheMiddleToPushUpAgain) {
  // -8569 reads 4050: not pushed, not back in the middle either.
  Rig rig(
      "100 axis Y -32768\n200 axis Y -8569\n300 axis Y -32768\n400 axis Y 0\n500 axis Y -32768\n"
      "600 axis Y 0\n");
  rig.game.state.GameActive = true;
  int shields = 0;
  rig.RunUntil(700, [&] {
    InputState& input = rig.game.input;
    if (input.actions[kShields].active && !input.actionLatch[kShields]) {
      ++shields;
      input.actionLatch[kShields] = true;
    }
  });
  EXPECT_EQ(shields, 2);
}

// ---------------------------------------------------------------------------
// Finding, choosing and losing controllers.

TEST(Joysticks, NoControllerSaysSoAndLeavesTheKeyboardAlone) {
  Rig rig("100 down ESCAPE\n", 0);
  EXPECT_EQ(rig.Log({"play"}), std::vector<std::string>{"play system/menu/nojoystickdetected.wav"});
  EXPECT_FALSE(rig.game.input.joystick.deviceOpen);
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 700), 1);
}

TEST(Joysticks, TheFirstTenOfMoreControllersAreOffered) {
  Rig rig("", 12, true, 12);
  const JoystickState& js = rig.game.input.joystick;
  EXPECT_EQ(js.count, 10);
  for (int i = 0; i < kMaxJoysticks; ++i) {
    EXPECT_EQ(js.axes[i], 2);
    EXPECT_EQ(js.buttons[i], 32);
  }
  EXPECT_TRUE(js.deviceOpen);
  EXPECT_EQ(rig.Log({"joystick"}), std::vector<std::string>{"joystick open"});
  EXPECT_NE(std::find(rig.host.GetLog().Lines().begin(), rig.host.GetLog().Lines().end(),
                      "0 joystick open controller=1"),
            rig.host.GetLog().Lines().end())
      << "a preference past the controllers attached falls back to the first";
}

TEST(Joysticks, ThePreferredControllerIsTheOneHeard) {
  Rig rig("100 axis X -32768 on 1\n200 axis X 0 on 1\n300 axis X -32768 on 2\n", 2, true, 2);
  EXPECT_EQ(rig.host.GetLog().Lines(), std::vector<std::string>{"0 joystick open controller=2"});
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 250), 0);
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 350), 1);
}

TEST(Joysticks, ControllerZeroMeansTheFirst) {
  Rig rig("", 3, true, 0);
  EXPECT_EQ(rig.game.player.preferredJoystick, 1);
  EXPECT_EQ(rig.host.GetLog().Lines(), std::vector<std::string>{"0 joystick open controller=1"});
}

// Plugging in and out while the program runs: noticed at once, a controller
// is taken up when joystick control is chosen, and one pulled out lets go of
// everything it held.
TEST(Joysticks, PluggingInAndOutIsNoticedWithoutARestart) {
  Rig rig(
      "600 joystick plug\n"
      "700 axis X -32768\n750 axis X 0\n"
      "800 button 1 down\n900 joystick unplug\n"
      "1000 joystick plug\n1100 button 0 down\n",
      0);
  rig.game.state.GameActive = false;
  const JoystickState& js = rig.game.input.joystick;
  ASSERT_EQ(js.count, 0);
  rig.RunUntil(650);
  EXPECT_EQ(js.count, 1);
  EXPECT_TRUE(js.deviceOpen);
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 780), 1) << "the new controller drives the menu";

  rig.game.state.GameActive = true;
  rig.RunUntil(850);
  EXPECT_TRUE(rig.game.input.actions[kLaser].active);
  rig.RunUntil(950);
  EXPECT_EQ(js.count, 0);
  EXPECT_FALSE(js.deviceOpen);
  EXPECT_FALSE(rig.game.input.actions[kLaser].active) << "a laser held on a controller pulled out stops";
  EXPECT_FALSE(ButtonDown(rig.game.input, 1));

  rig.game.state.GameActive = false;
  EXPECT_EQ(rig.MenuPresses(dik::RETURN, 1200), 1) << "plugged in again, it is heard again";
  EXPECT_EQ(rig.Log({"joystick"}), (std::vector<std::string>{"joystick open", "joystick open"}));
}

TEST(Joysticks, UnpluggingAnotherControllerKeepsTheOneInUse) {
  // Controller 2 is in use; once controller 1 goes, it is the first attached.
  Rig rig("100 joystick unplug 1\n200 axis X -32768 on 1\n", 2, true, 2);
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 300), 1);
  EXPECT_EQ(rig.game.input.joystick.count, 1);
  EXPECT_EQ(rig.host.GetLog().Lines(), std::vector<std::string>{"0 joystick open controller=2"});
}

TEST(Joysticks, KeyboardControlCountsControllersButOpensNone) {
  Rig rig("100 joystick plug\n200 axis X -32768 on 2\n", 1, false);
  rig.RunUntil(150);
  EXPECT_EQ(rig.game.input.joystick.count, 2);
  EXPECT_EQ(rig.MenuPresses(dik::ESCAPE, 300), 0);
  EXPECT_FALSE(rig.game.input.joystick.deviceOpen);
  EXPECT_TRUE(rig.Log({"joystick"}).empty());
}

// A fresh set-up reads where the stick is without acting on it; a stick at
// rest reads the exact middle, which the test screen hears as pan 0.
TEST(Joysticks, SetUpReadsTheStickWithoutActingOnIt) {
  Rig rig("0 axis X 32767\n0 button 0 down\n");
  const InputState& input = rig.game.input;
  EXPECT_EQ(input.joystick.axis[0], 10000);
  EXPECT_EQ(input.joystick.axis[1], 5000);
  EXPECT_EQ(input.joystick.rawButtons[0], 0x80);
  EXPECT_FALSE(ButtonDown(input, 0));
  EXPECT_FALSE(ButtonDown(input, kStickRight));
  EXPECT_TRUE(input.joystick.axisPresent[0]);
  EXPECT_FALSE(input.joystick.axisPresent[2]);

  Rig none("", 0);
  EXPECT_EQ(none.game.input.joystick.axis[0], 5000);
  EXPECT_EQ(none.game.input.joystick.axis[1], 5000);
}

// ---------------------------------------------------------------------------
// The window's focus: with another window in front, no key and no controller
// acts; back in focus, what is held then is heard.

// What the player can be seen doing at one pass: a key a menu would take, an
// action, a button.
bool AnythingActs(const InputState& input) {
  for (const uint8_t key : {dik::RETURN, dik::ESCAPE, dik::UP, dik::DOWN, dik::RIGHT, dik::LCONTROL}) {
    if (KeyPressed(input, key)) return true;
  }
  for (const ActionRecord& action : input.actions) {
    if (action.active) return true;
  }
  return AnyButtonDown(input);
}

TEST(WindowFocus, NothingActsWhileTheWindowIsNotFocused) {
  // The laser's key and the missile's button are held as the focus goes;
  // everything else is pressed while it is away.
  Rig rig(
      "50 down LCONTROL\n60 button 0 down\n"
      "100 focus lost\n150 tap RETURN\n200 axis X -32768\n250 axis X 0\n300 button 1 down\n350 button 1 up\n"
      "400 axis Y 32767\n450 axis Y 0\n460 focus lost\n"
      "500 up LCONTROL\n500 button 0 up\n600 focus gained\n");
  rig.RunUntil(99);
  ASSERT_TRUE(rig.game.input.actions[kLaser].active);
  ASSERT_TRUE(rig.game.input.actions[kFireMissile].active);
  rig.RunUntil(101);  // the first poll after the focus went
  int actingPasses = 0;
  rig.RunUntil(600, [&] { actingPasses += AnythingActs(rig.game.input) ? 1 : 0; });
  EXPECT_EQ(actingPasses, 0);
  EXPECT_EQ(rig.Log({"focus"}), (std::vector<std::string>{"focus lost", "focus gained"}))
      << "the log tells each change once";
}

// Back in focus the keys and the controller are heard as they are then, once:
// a stick pushed left while away is one Escape in a menu and moves the ship.
TEST(WindowFocus, BackInFocusWhatIsHeldIsHeardOnce) {
  Rig rig(
      "100 focus lost\n200 down LCONTROL\n300 axis X -20000\n"
      "400 axis X -32768\n400 focus gained\n"
      "600 axis X 0\n600 up LCONTROL\n");
  rig.RunUntil(400);
  EXPECT_EQ(rig.game.input.joystick.axis[0], 5000) << "away, the stick was not heard";
  EXPECT_FALSE(KeyDown(rig.game.input, dik::ESCAPE));
  bool laser = false;
  bool movedLeft = false;
  int escapes = 0;
  rig.RunUntil(599, [&] {
    laser = laser || rig.game.input.actions[kLaser].active;
    movedLeft = movedLeft || rig.game.input.actions[kMoveLeft].active;
    if (KeyPressed(rig.game.input, dik::ESCAPE)) {
      ++escapes;
      rig.game.input.keyLatch[dik::ESCAPE] = true;
    }
  });
  EXPECT_TRUE(laser) << "the key held through the return";
  EXPECT_TRUE(movedLeft);
  EXPECT_EQ(escapes, 1);
}

}  // namespace
}  // namespace sb
