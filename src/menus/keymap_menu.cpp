#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "input/input.h"
#include "menus/menu_walk.h"
#include "menus/menus.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

struct KeymapItem {
  const char* prompt;
  std::optional<Action> binds;
};

// Items 5 and 9 are not in action order: the nuke item binds action 6 and
// the shields item action 5.
constexpr std::array<KeymapItem, 15> kKeymapItems = {{
    {"system\\menu\\kmovleft.wav", kMoveLeft},
    {"system\\menu\\kmovrite.wav", kMoveRight},
    {"system\\menu\\klaser.wav", kLaser},
    {"system\\menu\\ksidelas.wav", kSideLaser},
    {"system\\menu\\kfirmiss.wav", kFireMissile},
    {"system\\menu\\kusenuke.wav", kUseNuke},
    {"system\\menu\\kvapor.wav", kVapor},
    {"system\\menu\\ksuper.wav", kSuper},
    {"system\\menu\\ktractor.wav", kTractor},
    {"system\\menu\\kshields.wav", kShields},
    {"system\\menu\\kenergy.wav", kEnergyReport},
    {"system\\menu\\kwave.wav", kLevelWaveReport},
    {"system\\menu\\kscore.wav", kScoreReport},
    {"system\\menu\\default.wav", std::nullopt},
    {"system\\menu\\exit.wav", std::nullopt},
}};
constexpr uint8_t kLeaveItem = 14;

// The key an action is bound to, by its name ("LCONTROL", "SPACE").
std::string BoundKeyWords(const Game& game, Action action) {
  return std::string(dik::Name(game.input.actions[action].key));
}

void BindKey(Game& game, Action action) {
  const uint8_t key = CaptureKey(game);
  game.input.actions[action].key = key;
  SaveSettings(game);
  CheckDuplicateKey(game, key, BindingKind::Key);
}

void RestoreDefaultKeys(Game& game) {
  for (int a = 0; a < kActionCount; ++a) game.input.actions[a].key = kDefaultKeys[a];
  SaveSettings(game);
  PlaySound(game, "system\\menu\\defmap.wav", 0, true);
}

std::vector<std::string> BindingItems(const Game& game, const BindingMenu& menu) {
  std::vector<std::string> items;
  for (const KeymapItem& item : kKeymapItems) {
    items.push_back(ItemWords(item.prompt));
    if (menu.bindingWords && item.binds) items.back() += ": " + menu.bindingWords(game, *item.binds);
  }
  return items;
}

}  // namespace

void WalkBindingMenu(Game& game, const BindingMenu& menu) {
  MenuOnScreen screen(game, menu.title, BindingItems(game, menu));
  screen.Mark(0);
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, menu.opening);
  const auto change = [&](Game& g, int item) {
    if (item == kLeaveItem) return MenuStep::Leave;
    if (menu.beforeChange) PlaySound(g, menu.beforeChange, 0, true);
    if (const std::optional<Action> action = kKeymapItems[item].binds) {
      menu.bind(g, *action);
    } else {
      menu.restoreDefaults(g);  // the one other item that binds nothing
    }
    screen.Picture().items = BindingItems(g, menu);
    SpeakKeymapItem(g, item);
    return MenuStep::Stay;
  };
  const auto speakBinding = [&](Game& g, int item) {
    if (const std::optional<Action> action = kKeymapItems[item].binds) menu.speakBinding(g, *action);
    return MenuStep::Stay;
  };
  std::vector<MenuKey> keys;
  if (menu.speakBinding) keys.push_back({dik::S, speakBinding});
  keys.push_back({dik::RETURN, change});
  keys.push_back({dik::ESCAPE, LeaveMenu});
  WalkMenu(game, screen, {.items = kKeymapItems.size(), .speak = SpeakKeymapItem, .keys = std::move(keys)});
  RestoreMenuMusic(game);
}

void KeyboardMappingMenu(Game& game) {
  WalkBindingMenu(game, {.title = "Keyboard mapping",
                         .opening = "system\\menu\\kselect.wav",
                         .bind = BindKey,
                         .restoreDefaults = RestoreDefaultKeys,
                         .bindingWords = BoundKeyWords});
}

void SpeakKeymapItem(Game& game, uint8_t item) {
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  PlayPromptInterruptible(game, kKeymapItems[item % kKeymapItems.size()].prompt);
}

uint8_t CaptureKey(Game& game) {
  PlaySound(game, "system\\menu\\kpress.wav", 0, true);
  // The keyboard is read as it is, leaving latches and actions alone. The
  // Enter that chose the item counts only once it has been let go.
  bool enterHeld = true;
  KeyboardState keys{};
  for (;;) {
    game.host.Yield();
    const KeyboardRead read = game.host.ReadKeyboard(keys);
    if (read == KeyboardRead::Lost) ReacquireKeyboard(game);
    if (read != KeyboardRead::Ok || !game.host.Focused()) continue;  // no key acts away from the window
    enterHeld = enterHeld && (keys[dik::RETURN] & 0x80);
    for (int key = 0; key < 256; ++key) {
      if (!(keys[key] & 0x80) || (key == dik::RETURN && enterHeld)) continue;
      PlaySound(game, "system\\menu\\kmapped.wav", 0, true);
      return static_cast<uint8_t>(key);
    }
  }
}

void CheckDuplicateKey(Game& game, uint8_t binding, BindingKind kind) {
  int sharing = 0;
  for (int a = 0; a < kActionCount; ++a) {
    if (a == kVapor) continue;  // vapor may share its key
    const ActionRecord& action = game.input.actions[a];
    if ((kind == BindingKind::Key ? action.key : action.button) == binding) ++sharing;
  }
  if (sharing > 1) PlaySound(game, "system\\menu\\dupkeys.wav", 0, true);
}

}  // namespace sb
