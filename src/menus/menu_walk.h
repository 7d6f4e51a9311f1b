#pragma once
// One routine walks the items of every spoken menu. A menu says what makes
// it different in a MenuDescription: how many items, where it starts, whether
// Up and Down step while held or once per press, how an item is announced,
// what a pass does besides polling, and the keys it acts on (Enter, Escape
// and its own) in the order it checks them.
//
// What every menu shares: Up moves to the previous item and Down to the next,
// both wrapping around at the ends; every other key counts once per press
// (its latch is set, so the menu below does not see the press too).

#include <cstdint>
#include <functional>
#include <vector>

#include "menus/menu_keys.h"

namespace sb {

struct Game;
class MenuOnScreen;

// What a key's action asks of the walk.
enum class MenuStep : uint8_t { Stay, Leave };

// How Up and Down count. While held they step on every pass: a menu whose
// announcement starts with an interruptible prompt still moves one item per
// press, because that prompt waits for the key's release.
enum class Steps : uint8_t { WhileHeld, OncePerPress };

// When an item is announced: after every step; or once a pass when the item
// differs from the one announced last, the first item on entry included (a
// pass with Up and Down both down then says nothing).
enum class Announce : uint8_t { EachStep, WhenChanged };

// A key acted on once per press, given the current item (0-based).
struct MenuKey {
  uint8_t key;
  std::function<MenuStep(Game&, int item)> act;
};

struct MenuDescription {
  int items;
  int start = 0;
  Steps steps = Steps::WhileHeld;
  Announce announce = Announce::EachStep;
  // Says the item reached; the screen marks it first.
  std::function<void(Game&, int item)> speak;
  // After Up and Down, in this order; a key whose action leaves ends the walk
  // at once, before the keys after it are looked at.
  std::vector<MenuKey> keys;
  // What each pass does: by default input polled and messages run.
  std::function<void(Game&)> pass = MenuPass;
};

// The action of a key that only leaves the menu.
MenuStep LeaveMenu(Game&, int item);

// Which key left the menu, and on which item.
struct MenuLeft {
  uint8_t key;
  int item;
};

// Walks the items until a key leaves. The menu has put itself on the screen
// and said its opening prompt.
MenuLeft WalkMenu(Game& game, MenuOnScreen& screen, const MenuDescription& menu);

}  // namespace sb
