#include "game/screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "menus/menus.h"
#include "support/screen_watch.h"
#include "support/script.h"
#include "support/sim_game.h"

namespace sb {
namespace {

using test::Shown;

TEST(Screen, WhatWasOpenedLastIsShownAndWhatOpenedItComesBack) {
  test::SimGame sim;
  Game& game = sim.game;
  EXPECT_EQ(Shown(TakeScreen(game)), "nothing");
  {
    MenuOnScreen outer(game, "Outer", std::vector<std::string>{"one", "two"});
    outer.Mark(1);
    EXPECT_EQ(Shown(TakeScreen(game)), "Outer:two");
    {
      const RadarOnScreen wave(game);  // a game started from the menu
      EXPECT_EQ(Shown(TakeScreen(game)), "radar");
      {
        MenuOnScreen inner(game, "Inner", std::vector<std::string>{"x"});
        EXPECT_EQ(Shown(TakeScreen(game)), "Inner");
      }
      EXPECT_EQ(Shown(TakeScreen(game)), "radar");
    }
    EXPECT_EQ(Shown(TakeScreen(game)), "Outer:two");
  }
  EXPECT_EQ(Shown(TakeScreen(game)), "nothing");
}

TEST(Screen, MenuItemsAreTheWordsOfTheirRecordings) {
  EXPECT_EQ(ItemWords("system\\menu\\exit.wav"), ItemWords("system/menu/EXIT.wav"));
  EXPECT_NE(ItemWords("system\\menu\\exit.wav"), "exit.wav");
  // A recording the tree has no words for is named by its file.
  EXPECT_EQ(ItemWords("custom\\mine.wav"), "mine.wav");
}

TEST(Screen, TheMainMenuMarksEachItemAsItIsSpoken) {
  SimOptions options;
  options.untilMs = 4000;
  options.script = test::Script("1500 tap DOWN\n2500 tap UP\n3500 tap UP");
  test::ScreenWatchingHost host(options);
  Game game(host);
  game.sound.Start();
  host.game = &game;
  try {
    MainMenu(game);
  } catch (const SimulationEnd&) {
  }
  const std::string title = "Main menu:";
  EXPECT_EQ(host.seen, (std::vector<std::string>{
                           "system\\menu\\select.wav | " + title + ItemWords("system\\menu\\newgame.wav"),
                           "system\\menu\\bleep.wav | " + title + ItemWords("system\\menu\\loadgame.wav"),
                           "system\\menu\\loadgame.wav | " + title + ItemWords("system\\menu\\loadgame.wav"),
                           "system\\menu\\bleep.wav | " + title + ItemWords("system\\menu\\newgame.wav"),
                           "system\\menu\\newgame.wav | " + title + ItemWords("system\\menu\\newgame.wav"),
                           "system\\menu\\bleep.wav | " + title + ItemWords("system\\menu\\exit.wav"),
                           "system\\menu\\exit.wav | " + title + ItemWords("system\\menu\\exit.wav"),
                       }));
}

}  // namespace
}  // namespace sb
