// The difficulty, level-select, options and keyboard-mapping menus, each
// entered directly on a simulated host and walked with a script.

#include <gtest/gtest.h>

#include "game/settings.h"
#include "menus/menus.h"
#include "menus/program_run.h"
#include "platform/key_map.h"

namespace sb {
namespace {

using Heard = std::vector<std::string>;

struct Menu {
  explicit Menu(const std::string& script, int32_t untilMs = 20000) : sim(test::Scripted(script, untilMs)) {
    LoadPlayerFiles(sim.game);
    sim.ClearLog();
  }
  template <typename F>
  bool Run(F menu) {
    return sim.Run(menu);
  }
  test::SimGame sim;
};

struct DifficultyCase {
  const char* name;
  const char* script;
  bool chosen;
  uint8_t difficulty;
  bool insane;
  Heard heard;
};

class DifficultyChoice : public testing::TestWithParam<DifficultyCase> {};

TEST_P(DifficultyChoice, SetsTheDifficultyAndTheInsaneFlag) {
  const DifficultyCase& c = GetParam();
  Menu menu(c.script);
  menu.sim.game.state.InsaneMode = !c.insane;  // the last game's choice
  bool chosen = !c.chosen;
  ASSERT_TRUE(menu.Run([&](Game& g) { chosen = DifficultyMenu(g); }));
  EXPECT_EQ(chosen, c.chosen);
  EXPECT_EQ(menu.sim.game.state.Difficulty, c.difficulty);
  EXPECT_EQ(menu.sim.game.state.InsaneMode, c.insane);
  EXPECT_EQ(menu.sim.Played(), c.heard);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DifficultyChoice,
    testing::Values(
        DifficultyCase{"EnterAtOnceChoosesEasy", "600 tap RETURN", true, 1, false, {"system/menu/seldiff.wav"}},
        DifficultyCase{"UpFromTheStartIsInsane", "600 tap UP\n1500 tap RETURN", true, 3, true,
                       {"system/menu/seldiff.wav", "system/menu/diff4.wav"}},
        DifficultyCase{"DownTwiceIsHard", "600 tap DOWN\n1500 tap DOWN\n2500 tap RETURN", true, 3, false,
                       {"system/menu/seldiff.wav", "system/menu/diff2.wav", "system/menu/diff3.wav"}},
        DifficultyCase{"DownFromInsaneWrapsToEasy", "600 tap UP\n1500 tap DOWN\n2500 tap RETURN", true, 1, false,
                       {"system/menu/seldiff.wav", "system/menu/diff4.wav", "system/menu/diff1.wav"}},
        DifficultyCase{"EscapeKeepsTheDifficultyLastHeard", "600 tap DOWN\n1500 tap ESCAPE", false, 2, false,
                       {"system/menu/seldiff.wav", "system/menu/diff2.wav"}},
        DifficultyCase{"EscapeOnInsaneKeepsInsane", "600 tap UP\n1500 tap ESCAPE", false, 3, true,
                       {"system/menu/seldiff.wav", "system/menu/diff4.wav"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelSelect, UpFromLevelOneAnnouncesLevelSix) {
  Menu menu("2000 tap UP\n3500 tap ESCAPE");
  ASSERT_TRUE(menu.Run(LevelSelectMenu));
  EXPECT_EQ(menu.sim.Played(),
            (Heard{"system/menu/sellevel.wav", "system/menu/Level.wav", "sounds/numbers/1.wav", "system/menu/bleep.wav",
                   "system/menu/Level.wav", "sounds/numbers/6.wav"}));
}

// A game started here never reaches the boss: it carries the level-select flag.
TEST(LevelSelect, EnterStartsTheChosenLevelAfterTheDifficulty) {
  Menu menu("2000 tap DOWN\n3500 tap RETURN\n4200 tap DOWN\n5000 tap RETURN", 5500);
  menu.Run(LevelSelectMenu);
  const GameState& s = menu.sim.game.state;
  EXPECT_EQ(s.Level, 2);
  EXPECT_EQ(s.Wave, 1);
  EXPECT_TRUE(s.LevelSelected);
  EXPECT_EQ(s.Difficulty, 2);
}

TEST(LevelSelect, EscapeInTheDifficultyMenuStillStartsTheGame) {
  Menu menu("2000 tap UP\n3500 tap RETURN\n4200 tap ESCAPE", 4600);
  menu.Run(LevelSelectMenu);
  EXPECT_EQ(menu.sim.game.state.Level, 6);
  EXPECT_TRUE(menu.sim.game.state.LevelSelected);
}

TEST(Options, LeavingWritesBothFilesEvenUnchanged) {
  for (const char* script : {"1500 tap ESCAPE", "1500 tap UP\n2500 tap RETURN"}) {
    Menu menu(script);
    ASSERT_TRUE(menu.Run(OptionsMenu)) << script;
    EXPECT_EQ(menu.sim.Log({"write"}), (Heard{"write sbinfo.sbr", "write keymap.sbk"})) << script;
  }
}

TEST(Options, TheControllerItemNamesTheModeInUse) {
  Menu menu("1500 tap DOWN\n2500 tap UP\n3500 tap ESCAPE");
  menu.sim.game.player.controllerMode = 1;
  ASSERT_TRUE(menu.Run(OptionsMenu));
  EXPECT_EQ(menu.sim.Played(),
            (Heard{"system/menu/oselect.wav", "system/menu/joystick.wav", "system/menu/bleep.wav",
                   "system/menu/kconfig.wav", "system/menu/bleep.wav", "system/menu/controllermode.wav",
                   "system/menu/joystick.wav"}));
}

uint8_t KeyMapKey(const test::SimGame& sim, Action action) {
  const auto bytes = sim.host.Files(Folder::Player).Read(kKeyMapFileName);
  EXPECT_TRUE(bytes && bytes->size() == kKeyMapBytes);
  return bytes ? (*bytes)[6 * action + 2] : 0;
}

// Up six times from the first item reaches item 9, the shields.
constexpr const char* kToShields =
    "600 tap UP\n1200 tap UP\n1800 tap UP\n2400 tap UP\n3000 tap UP\n3600 tap UP\n4200 tap RETURN\n";

TEST(KeyboardMapping, TheShieldsItemBindsTheShieldsAndWritesAtOnce) {
  Menu menu(std::string(kToShields) + "5000 tap K\n7000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(KeyboardMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kShields].key, dik::K);
  EXPECT_EQ(menu.sim.game.input.actions[kTractor].key, dik::SPACE);
  EXPECT_EQ(KeyMapKey(menu.sim, kShields), dik::K);
  const Heard heard = menu.sim.Played();
  const Heard tail(heard.end() - 6, heard.end());
  EXPECT_EQ(tail, (Heard{"system/menu/bleep.wav", "system/menu/kshields.wav", "system/menu/kpress.wav",
                         "system/menu/kmapped.wav", "system/menu/bleep.wav", "system/menu/kshields.wav"}))
      << "the item is announced again";
  EXPECT_EQ(menu.sim.Log({"write"}), (Heard{"write sbinfo.sbr", "write keymap.sbk"}));
}

TEST(KeyboardMapping, EscapeDuringACaptureIsBound) {
  Menu menu("600 tap RETURN\n1500 tap ESCAPE\n4000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(KeyboardMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kMoveLeft].key, dik::ESCAPE);
  EXPECT_EQ(KeyMapKey(menu.sim, kMoveLeft), dik::ESCAPE);
}

// The Enter that chose the item is not taken for the new key while it is held.
TEST(KeyboardMapping, TheEnterThatChoseTheItemIsNotCaptured) {
  Menu menu("600 down RETURN\n2000 up RETURN\n2500 tap J\n4000 tap ESCAPE");
  ASSERT_TRUE(menu.Run(KeyboardMappingMenu));
  EXPECT_EQ(menu.sim.game.input.actions[kMoveLeft].key, dik::J);
}

TEST(KeyboardMapping, TheDefaultItemRestoresEveryKey) {
  Menu menu("600 tap UP\n1200 tap UP\n1800 tap RETURN\n3500 tap ESCAPE");
  InputState& input = menu.sim.game.input;
  input.actions[kLaser].key = dik::RCONTROL;
  input.actions[kShields].key = dik::K;
  ASSERT_TRUE(menu.Run(KeyboardMappingMenu));
  for (int a = 0; a < kActionCount; ++a) {
    EXPECT_EQ(input.actions[a].key, kDefaultKeys[a]) << a;
    EXPECT_EQ(KeyMapKey(menu.sim, static_cast<Action>(a)), kDefaultKeys[a]) << a;
  }
  const Heard heard = menu.sim.Played();
  EXPECT_EQ(Heard(heard.end() - 3, heard.end()),
            (Heard{"system/menu/defmap.wav", "system/menu/bleep.wav", "system/menu/default.wav"}));
}

struct DuplicateCase {
  const char* name;
  Action action;
  uint8_t binding;
  BindingKind kind;
  bool warns;
};

class DuplicateKeys : public testing::TestWithParam<DuplicateCase> {};

// The new binding is made first, then checked against every action but vapor.
TEST_P(DuplicateKeys, WarnWhenAnotherActionSharesTheBinding) {
  const DuplicateCase& c = GetParam();
  test::SimGame sim;
  test::UseDefaultActions(sim.game);
  ActionRecord& action = sim.game.input.actions[c.action];
  (c.kind == BindingKind::Key ? action.key : action.button) = c.binding;
  CheckDuplicateKey(sim.game, c.binding, c.kind);
  EXPECT_EQ(sim.Played(), c.warns ? Heard{"system/menu/dupkeys.wav"} : Heard{});
}

INSTANTIATE_TEST_SUITE_P(
    Bindings, DuplicateKeys,
    testing::Values(DuplicateCase{"VaporOnAKeyOneOtherActionUses", kVapor, dik::W, BindingKind::Key, false},
                    DuplicateCase{"AnotherActionOnTheVaporKey", kFireMissile, dik::TAB, BindingKind::Key, false},
                    DuplicateCase{"VaporOnSpaceWhereMissileAndTractorAre", kVapor, dik::SPACE, BindingKind::Key,
                                  true},
                    DuplicateCase{"LaserOnTheScoreKey", kLaser, dik::S, BindingKind::Key, true},
                    DuplicateCase{"AnActionOnItsOwnKey", kMoveLeft, dik::LEFT, BindingKind::Key, false},
                    DuplicateCase{"AButtonSharedWithTheLaser", kMoveLeft, 1, BindingKind::Button, true},
                    DuplicateCase{"AKeyCodeEqualToAButtonIsNoClash", kMoveLeft, 1, BindingKind::Key, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sb
