#include "game/screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "hosts/sim_host.h"
#include "menus/menus.h"
#include "support/script.h"
#include "support/sim_game.h"

namespace sb {
namespace {

std::string Shown(const ScreenPicture& p) {
  if (p.menu) return p.menu->title + (p.menu->current >= 0 ? ":" + p.menu->items.at(p.menu->current) : "");
  return p.radar ? "radar" : "nothing";
}

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

// Takes the picture the window would show as each prompt starts.
struct ScreenWatchingHost : SimHost {
  explicit ScreenWatchingHost(SimOptions options) : SimHost(std::move(options)) {}
  void SpeechStarted(std::string_view file) override {
    if (game) seen.push_back(std::string(file) + " | " + Shown(TakeScreen(*game)));
  }
  Game* game = nullptr;
  std::vector<std::string> seen;
};

TEST(Screen, TheMainMenuMarksEachItemAsItIsSpoken) {
  SimOptions options;
  options.untilMs = 4000;
  options.script = test::Script("1500 tap DOWN\n2500 tap UP\n3500 tap UP");
  ScreenWatchingHost host(options);
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
