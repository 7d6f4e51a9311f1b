#pragma once
// The window's view of what is heard, taken from the game state at the
// window's own pace (the real host asks at most 30 times a second; the
// simulated host never asks). Taking it changes nothing in play.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/radar.h"
#include "game/screen_state.h"

namespace sb {

struct Game;

struct ScreenPicture {
  bool speaking = false;             // a prompt plays: its caption stays up
  std::optional<MenuPicture> menu;    // the menu opened last
  std::optional<RadarPicture> radar;  // a wave or round in play, no menu opened over it
  bool operator==(const ScreenPicture&) const = default;
};

ScreenPicture TakeScreen(const Game& game);

// The words of a recording for a menu item; the file's own name when the
// sound tree has no words for it (a player's own recording).
std::string ItemWords(std::string_view file);

// A menu on the screen for as long as this lives; the menu that opened it is
// shown again when it goes.
class MenuOnScreen {
 public:
  MenuOnScreen(Game& game, std::string title, std::vector<std::string> items);
  // Items named by the recordings that speak them.
  MenuOnScreen(Game& game, std::string title, std::span<const char* const> itemFiles);
  ~MenuOnScreen();
  MenuOnScreen(const MenuOnScreen&) = delete;
  MenuOnScreen& operator=(const MenuOnScreen&) = delete;

  // The item now current, as it is announced (0-based).
  void Mark(int item) { picture_.current = item; }
  MenuPicture& Picture() { return picture_; }

 private:
  Game& game_;
  MenuPicture picture_;
};

// A wave or a round in play for as long as this lives: the radar shows.
class RadarOnScreen {
 public:
  explicit RadarOnScreen(Game& game, RadarScene scene = RadarScene::Wave);
  ~RadarOnScreen();
  RadarOnScreen(const RadarOnScreen&) = delete;
  RadarOnScreen& operator=(const RadarOnScreen&) = delete;

 private:
  Game& game_;
};

}  // namespace sb
