// The one routine that walks every menu's items, on a simulated host: menus
// described the ways the real ones differ (held or once-per-press steps,
// announcements on each step or on a change), walked with a script. What the
// walk announces and what the keys act on is written down as it happens.

#include <gtest/gtest.h>

#include "game/screen.h"
#include "menus/menu_walk.h"
#include "menus/program_run.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

// A menu of `items` whose announcements and key actions are written down:
// "2" when item 2 is announced, "V 2" when V acts on item 2. V stays; Enter
// and Escape leave, in that order after V.
struct WalkedMenu {
  WalkedMenu(const std::string& script, int items) : sim(test::Scripted(script, 5000)), items(items) {}

  MenuDescription Describe(int start, Steps steps, Announce announce) {
    const auto stays = [this](Game&, int item) {
      heard.push_back("V " + std::to_string(item));
      return MenuStep::Stay;
    };
    return {.items = items,
            .start = start,
            .steps = steps,
            .announce = announce,
            .speak = [this](Game&, int item) { heard.push_back(std::to_string(item)); },
            .keys = {{dik::V, stays}, {dik::RETURN, LeaveMenu}, {dik::ESCAPE, LeaveMenu}}};
  }
  // False when the script ran out before a key left the menu.
  bool Walk(int start, Steps steps, Announce announce) {
    const MenuDescription menu = Describe(start, steps, announce);
    return sim.Run([&](Game& game) {
      MenuOnScreen screen(game, "Walked", std::vector<std::string>(items, "item"));
      left = WalkMenu(game, screen, menu);
    });
  }

  test::SimGame sim;
  int items;
  Heard heard;
  MenuLeft left{};
};

// A menu as described to the walker; its keys are those of WalkedMenu.
struct Shape {
  int items;
  int start;
  Steps steps;
  Announce announce;
};

struct WalkCase {
  const char* name;
  Shape menu;
  const char* script;
  Heard heard;
  MenuLeft left;
};

class MenuWalkCase : public testing::TestWithParam<WalkCase> {};

TEST_P(MenuWalkCase, AnnouncesAndActsAsDescribed) {
  const WalkCase& c = GetParam();
  WalkedMenu menu(c.script, c.menu.items);
  ASSERT_TRUE(menu.Walk(c.menu.start, c.menu.steps, c.menu.announce));
  EXPECT_EQ(menu.heard, c.heard);
  EXPECT_EQ(menu.left.key, c.left.key);
  EXPECT_EQ(menu.left.item, c.left.item);
}

constexpr Steps kHeld = Steps::WhileHeld;
constexpr Steps kOnce = Steps::OncePerPress;
constexpr Announce kEach = Announce::EachStep;
constexpr Announce kChanged = Announce::WhenChanged;

// Up and Down both pressed in one pass, then Down alone.
constexpr const char* kUpAndDownTogether =
    "10 down UP\n10 down DOWN\n60 up UP\n60 up DOWN\n100 tap DOWN\n200 tap ESCAPE";

INSTANTIATE_TEST_SUITE_P(
    Walks, MenuWalkCase,
    testing::Values(
        WalkCase{"DownFromTheLastWrapsToTheFirst", {3, 2, kOnce, kEach}, "10 tap DOWN\n100 tap ESCAPE", {"0"},
                 {dik::ESCAPE, 0}},
        WalkCase{"UpFromTheFirstWrapsToTheLast", {3, 0, kOnce, kEach}, "10 tap UP\n100 tap RETURN", {"2"},
                 {dik::RETURN, 2}},
        WalkCase{"StepsBothWaysFromTheStart", {4, 1, kOnce, kEach},
                 "10 tap DOWN\n100 tap DOWN\n200 tap UP\n300 tap ESCAPE", {"2", "3", "2"}, {dik::ESCAPE, 2}},
        WalkCase{"OncePerPressStepsOnceWhileHeld", {3, 0, kOnce, kEach}, "10 down DOWN\n500 up DOWN\n600 tap ESCAPE",
                 {"1"}, {dik::ESCAPE, 1}},
        WalkCase{"AKeyActsOncePerPressOnTheCurrentItem", {3, 0, kOnce, kEach},
                 "10 down V\n500 up V\n600 tap DOWN\n700 tap V\n800 tap ESCAPE", {"V 0", "1", "V 1"},
                 {dik::ESCAPE, 1}},
        WalkCase{"KeysActInTheDescribedOrder", {3, 0, kOnce, kEach}, "10 down RETURN\n10 down V", {"V 0"},
                 {dik::RETURN, 0}},
        WalkCase{"EachStepSaysNothingOnEntry", {3, 1, kOnce, kEach}, "100 tap ESCAPE", {}, {dik::ESCAPE, 1}},
        WalkCase{"WhenChangedSaysTheStartOnEntry", {3, 1, kOnce, kChanged}, "100 tap ESCAPE", {"1"},
                 {dik::ESCAPE, 1}},
        WalkCase{"EachStepSaysUpAndDownInOnePass", {3, 0, kOnce, kEach}, kUpAndDownTogether, {"2", "0", "1"},
                 {dik::ESCAPE, 1}},
        WalkCase{"WhenChangedSaysNothingForUpAndDownInOnePass", {3, 0, kOnce, kChanged}, kUpAndDownTogether,
                 {"0", "1"}, {dik::ESCAPE, 1}},
        WalkCase{"WhenChangedSaysNothingForUpAndDownHeldTogether", {3, 0, kHeld, kChanged},
                 "10 down UP\n10 down DOWN\n300 up UP\n300 up DOWN\n400 tap ESCAPE", {"0"}, {dik::ESCAPE, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// While held, a step is taken on every pass; in the menus it is the
// announcement's wait for the release that keeps a press to one step.
TEST(MenuWalk, WhileHeldStepsOnEveryPass) {
  WalkedMenu held("10 down DOWN\n20 up DOWN\n100 tap ESCAPE", 2);
  ASSERT_TRUE(held.Walk(0, kHeld, kEach));
  ASSERT_GT(held.heard.size(), 2u);
  for (size_t i = 0; i < held.heard.size(); ++i) EXPECT_EQ(held.heard[i], i % 2 == 0 ? "1" : "0") << i;
}

// A key that leaves ends the pass: a key after it, pressed in the same pass,
// is not acted on and keeps its press for the menu below (its latch clear).
TEST(MenuWalk, ALeavingKeyEndsThePassBeforeTheKeysAfterIt) {
  WalkedMenu menu("10 down RETURN\n10 down ESCAPE", 3);
  ASSERT_TRUE(menu.Walk(0, kOnce, kEach));
  EXPECT_EQ(menu.left.key, dik::RETURN);
  EXPECT_TRUE(KeyPressed(menu.sim.game.input, dik::ESCAPE));
  EXPECT_FALSE(KeyPressed(menu.sim.game.input, dik::RETURN));
}

}  // namespace
}  // namespace sb
