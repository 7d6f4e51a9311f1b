#include "menus/menu_walk.h"

#include "game/game.h"
#include "game/screen.h"

namespace sb {

namespace {

// Up from the first item goes to the last, Down from the last to the first.
int PreviousItem(int item, int last) { return item <= 0 || item > last ? last : item - 1; }
int NextItem(int item, int last) { return item >= last || item < 0 ? 0 : item + 1; }

bool Stepped(InputState& input, uint8_t key, Steps steps) {
  return steps == Steps::WhileHeld ? KeyDown(input, key) : TakeKey(input, key);
}

}  // namespace

MenuStep LeaveMenu(Game&, int) { return MenuStep::Leave; }

MenuLeft WalkMenu(Game& game, MenuOnScreen& screen, const MenuDescription& menu) {
  const int last = menu.items - 1;
  int item = menu.start;
  int announced = -1;
  const auto announce = [&] {
    screen.Mark(item);
    menu.speak(game, item);
    announced = item;
  };
  const bool eachStep = menu.announce == Announce::EachStep;
  for (;;) {
    menu.pass(game);
    if (Stepped(game.input, dik::UP, menu.steps)) {
      item = PreviousItem(item, last);
      if (eachStep) announce();
    }
    if (Stepped(game.input, dik::DOWN, menu.steps)) {
      item = NextItem(item, last);
      if (eachStep) announce();
    }
    if (!eachStep && item != announced) announce();
    for (const MenuKey& key : menu.keys) {
      if (TakeKey(game.input, key.key) && key.act(game, item) == MenuStep::Leave) return {key.key, item};
    }
  }
}

}  // namespace sb
