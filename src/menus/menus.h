#pragma once
// The spoken menus. Each is a loop that polls the keyboard, moves a current
// item with Up and Down, announces it with an interruptible prompt, performs
// it on Enter and leaves on Escape.

#include <cstdint>
#include <string>

#include "platform/input_state.h"

namespace sb {

struct Game;

// The main menu, entered once after start-up; it ends only with the program.
// Games started from it return to it.
void MainMenu(Game& game);
// The bleep and the prompt of a main-menu item 0..9.
void SpeakMenuItem(Game& game, uint8_t item);
// "2 point 1 point 5".
void SpeakVersion(Game& game);
// The fifty sound descriptions, browsed with Up and Down.
void SoundsMenu(Game& game);
// A new game at level 1 wave 1, with the intro before the very first one.
void StartNewGame(Game& game);

// Chooses Easy, Medium, Hard or Insane: true on Enter, false on Escape.
bool DifficultyMenu(Game& game);
// Starts a game at level 1 to 6 (never reaching the boss round); games
// started here return to it, Escape leaves it.
void LevelSelectMenu(Game& game);
// Controller mode, keyboard mapping, joystick menu; saves the player's files
// when it is left.
void OptionsMenu(Game& game);
void SpeakOptionsItem(Game& game, uint8_t item);

// Binds a key to each of the thirteen actions, or restores the defaults;
// every change is written at once.
void KeyboardMappingMenu(Game& game);
void SpeakKeymapItem(Game& game, uint8_t item);
// The keyboard's and the controller's mapping menus walk the same fifteen
// items; they differ in how an item binds and restores the defaults, and the
// controller's says "map to" before either, speaks a binding on S and shows
// each action's binding beside it in the window.
struct BindingMenu {
  const char* title;  // in the window
  const char* opening;
  void (*bind)(Game&, Action);
  void (*restoreDefaults)(Game&);
  const char* beforeChange = nullptr;
  void (*speakBinding)(Game&, Action) = nullptr;
  std::string (*bindingWords)(const Game&, Action) = nullptr;
};
void WalkBindingMenu(Game& game, const BindingMenu& menu);
// Waits for a key and returns its code; every key counts, Escape included.
uint8_t CaptureKey(Game& game);
// A binding shared with another action (vapor not counted) is warned of.
enum class BindingKind { Key, Button };
void CheckDuplicateKey(Game& game, uint8_t binding, BindingKind kind);

// The joystick side of the options.
void ControllerModeMenu(Game& game);
void JoystickMenu(Game& game);

}  // namespace sb
