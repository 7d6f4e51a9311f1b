#pragma once
// What the window may show of the program right now: what was opened last
// of the menus and the waves or rounds in play. A game started from a menu
// shows its radar over that menu; a menu opened during play shows over the
// radar. Kept by the menus and the play loops; the window only reads it.

#include <cstdint>
#include <string>
#include <vector>

namespace sb {

// A menu as it is spoken: its title, its items' words, the current item.
struct MenuPicture {
  std::string title;
  std::vector<std::string> items;
  int current = -1;  // none yet: the menu's opening prompt is playing
  bool operator==(const MenuPicture&) const = default;
};

// What the radar shows the field of.
enum class RadarScene : uint8_t { Wave, SheepDrop, MeteorShower, Boss };

// A menu, or (menu null) a wave or round in play: the radar.
struct ScreenLayer {
  const MenuPicture* menu = nullptr;
  RadarScene scene = RadarScene::Wave;
};

struct ScreenState {
  std::vector<ScreenLayer> layers;  // the innermost last
};

}  // namespace sb
