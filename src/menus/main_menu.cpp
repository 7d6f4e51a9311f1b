#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/high_score.h"
#include "game/saved_game.h"
#include "game/settings.h"
#include "game/waves.h"
#include "menus/menu_keys.h"
#include "menus/menu_walk.h"
#include "menus/menus.h"
#include "program/startup.h"
#include "scoreboard/score_menu.h"
#include "sound/mp3_player.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum MainItem : uint8_t {
  kNewGame,
  kLoadGame,
  kStartLevel,
  kScoreBoard,
  kSounds,
  kOptions,
  kCredits,
  kSpeakerTest,
  kIntro,
  kExit,
};

constexpr std::array<const char*, 10> kItemPrompts = {
    "system\\menu\\newgame.wav", "system\\menu\\loadgame.wav", "system\\menu\\startlvl.wav",
    "system\\menu\\hiscores.wav", "system\\menu\\sounds.wav",  "system\\menu\\options.wav",
    "system\\menu\\credits.wav",  "system\\menu\\testspkr.wav", "system\\menu\\playintr.wav",
    "system\\menu\\exit.wav"};

constexpr int kDescriptions = 50;

std::string DescriptionFile(int n) { return "system\\menu\\desc/s" + std::to_string(n) + ".wav"; }

std::vector<std::string> DescriptionItems() {
  std::vector<std::string> items;
  for (int n = 1; n <= kDescriptions; ++n) items.push_back(ItemWords(DescriptionFile(n)));
  return items;
}

// The menu loops are silenced, not stopped, while a recording plays over them.
void MuteMenuMusic(Game& game) {
  MuteSound(game.music.menu.music);
  MuteSound(game.music.menu.crickets);
}

void PerformItem(Game& game, uint8_t item) {
  switch (item) {
    case kNewGame:
      if (DifficultyMenu(game)) StartNewGame(game);
      break;
    case kLoadGame:
      LoadSavedGame(game);
      break;
    case kStartLevel:
      LevelSelectMenu(game);
      break;
    case kScoreBoard:
      ScoreMenu(game);
      break;
    case kSounds:
      DuckMenuMusic(game);
      SoundsMenu(game);
      RestoreMenuMusic(game);
      break;
    case kOptions:
      OptionsMenu(game);
      break;
    case kCredits:
      MuteMenuMusic(game);
      PlayMp3AndWait(game, "system\\menu\\intros.mp3");
      RestoreMenuMusic(game);
      break;
    case kSpeakerTest:
      MuteMenuMusic(game);
      PlaySound(game, "system\\menu\\spkrtest.wav", 0, true);
      RestoreMenuMusic(game);
      break;
    case kIntro:
      StopMenuMusic(game);
      PlayMp3AndWait(game, "system\\menu\\intro.mp3");
      break;
    default:
      StopMenuMusic(game);
      ExitGame(game);
  }
}

// A game that passed the personal best ends with its final score as the new
// best. A flag left in the player file by a run that ended before storing it
// must not replace the best with the score of no game.
void StoreNewBest(Game& game) {
  game.player.newBest = false;
  game.player.personalBest = std::max(game.player.personalBest, game.state.Score);
  SaveSettings(game);
  PlaySound(game, "system\\menu\\writescr.wav", 0, true);
}

// Back from the item, the menu is heard again where it was left.
MenuStep ChooseItem(Game& game, int item) {
  PerformItem(game, item);
  PlayMenuMusic(game);
  SpeakMenuItem(game, item);
  return MenuStep::Stay;
}

// The Escape key ends the program. The stick pushed left, Escape in every
// other menu, does not: the stick steers the ship too, and one stray push
// would end the program unasked. The Exit item ends it from the controller.
MenuStep Quit(Game& game, int) {
  if (game.input.stickEscape) return MenuStep::Stay;
  StopMenuMusic(game);
  ExitGame(game);
}

MenuStep SayVersion(Game& game, int) {
  DuckMenuMusic(game);
  SpeakVersion(game);
  RestoreMenuMusic(game);
  return MenuStep::Stay;
}

MenuStep SayBest(Game& game, int) {
  SpeakHighScore(game);
  return MenuStep::Stay;
}

// A game that beat the best stores it before the next pass: the one after the
// game returned. The crickets fade in over the menu's own passes.
void MainMenuPass(Game& game) {
  if (game.player.newBest) StoreNewBest(game);
  MenuPass(game);
  StepCricketFade(game);
}

}  // namespace

void MainMenu(Game& game) {
  // A game played before the menu was entered stores its best before the
  // menu clears the score.
  if (game.player.newBest) StoreNewBest(game);
  game.state.Score = 0;
  MenuOnScreen screen(game, "Main menu", kItemPrompts);
  screen.Mark(kNewGame);
  StartMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\select.wav");
  WalkMenu(game, screen,
           {.items = kItemPrompts.size(),
            .speak = SpeakMenuItem,
            .keys = {{dik::RETURN, ChooseItem}, {dik::ESCAPE, Quit}, {dik::V, SayVersion}, {dik::H, SayBest}},
            .pass = MainMenuPass});
}

void SpeakMenuItem(Game& game, uint8_t item) {
  SoundBuffer& music = game.music.menu.music;
  music.SetVolume(-1000);
  PlaySound(game, "system\\menu\\bleep.wav", 0, false);
  PlayPromptInterruptible(game, kItemPrompts[item % kItemPrompts.size()]);
  music.SetVolume(0);
}

void SpeakVersion(Game& game) {
  SpeakNumber(game, kVersionMajor);
  PlaySound(game, "sounds\\numbers\\point.wav", 0, true);
  SpeakNumber(game, kVersionMinor);
  PlaySound(game, "sounds\\numbers\\point.wav", 0, true);
  SpeakNumber(game, kVersionRevision);
}

void SoundsMenu(Game& game) {
  MenuOnScreen screen(game, "Sounds", DescriptionItems());
  PlayPromptInterruptible(game, "system\\menu\\desc/select.wav");
  WalkMenu(game, screen,
           {.items = kDescriptions,
            .announce = Announce::WhenChanged,
            .speak = [](Game& g, int item) { PlayPromptInterruptible(g, DescriptionFile(item + 1)); },
            .keys = {{dik::ESCAPE, LeaveMenu}}});
}

void StartNewGame(Game& game) {
  StopMenuMusic(game);
  if (game.player.introHeard == 0) {
    game.player.introHeard = 1;
    SaveSettings(game);
    PlayMp3AndWait(game, "system\\menu\\intro.mp3");
  }
  game.state.GameOver = false;
  StartGame(game, 1, 1);
}

}  // namespace sb
