#include "scoreboard/score_menu.h"

#include <array>

#include "game/game.h"
#include "game/screen.h"
#include "game/settings.h"
#include "menus/menu_walk.h"
#include "platform/runtime_error.h"
#include "scoreboard/board_requests.h"
#include "scoreboard/board_settings.h"
#include "scoreboard/name_entry.h"
#include "sound/game_sounds.h"
#include "sound/music.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

enum ScoreItem : uint8_t { kHearBest, kPostBest, kCopyCode, kResetBest, kLeave };

constexpr std::array<const char*, 5> kScorePrompts = {
    "system\\menu\\hsnyhs.wav", "system\\menu\\hsnsubmiths.wav", "system\\menu\\hsnctc.wav",
    "system\\menu\\hsnreseths.wav", "system\\menu\\hsnexit.wav"};

// The working loop sounds, centred, for as long as the board takes to answer.
template <typename Request>
auto WhileWorking(SoundBuffer& working, Request request) {
  working.SetPan(0);
  working.Play(true);
  const auto answer = request();
  StopSound(working);
  return answer;
}

// With no board set up the post and the board code say so, and send nothing.
bool BoardSetUp(Game& game) {
  if (!BoardUrl(game).empty()) return true;
  PlayPromptInterruptible(game, "system\\menu\\hsnnoboard.wav");
  return false;
}

// The first post without a chosen name opens the name screen, which reads the
// suggested name back: a score goes out only under a name the player has heard
// and kept. Escape there sends nothing.
bool NameConfirmed(Game& game) {
  if (!ChosenPlayerName(game).empty()) return true;
  const bool kept = TypePlayerName(game);
  DuckMenuMusic(game);
  return kept;
}

void PostBest(Game& game, SoundBuffer& working) {
  if (!BoardSetUp(game)) return;
  const int32_t best = game.player.personalBest;
  if (best <= 0) {
    PlayInvalid(game);
    return;
  }
  if (!NameConfirmed(game)) {
    SpeakScoreMenu(game, kPostBest);
    return;
  }
  const bool posted = WhileWorking(working, [&] { return SubmitHighScore(game, PlayerName(game), best); });
  PlayPromptInterruptible(game, posted ? "system\\menu\\hsnsubsuc.wav" : "system\\menu\\hsnsuberr.wav");
}

void CopyCode(Game& game, SoundBuffer& working) {
  if (!BoardSetUp(game)) return;
  if (WhileWorking(working, [&] { return CopyBoardCode(game); })) {
    PlayPromptInterruptible(game, "system\\menu\\hsncopied.wav");
  } else {
    PlayInvalid(game);
  }
}

// No confirmation: the best is gone at once, in memory and in the player file.
void ResetBest(Game& game) {
  game.player.personalBest = 0;
  SaveSettings(game);
  DuckMenuMusic(game);
  PlaySound(game, "system\\menu\\hsnhsreset.wav", 0, true);
}

void PerformScoreItem(Game& game, uint8_t item, SoundBuffer& working) {
  if (item == kResetBest) {
    ResetBest(game);
    RestoreMenuMusic(game);
    return;
  }
  DuckMenuMusic(game);
  if (item == kHearBest) SpeakNumber(game, game.player.personalBest);
  if (item == kPostBest) PostBest(game, working);
  if (item == kCopyCode) CopyCode(game, working);
  RestoreMenuMusic(game);
}

// Each item is said under the lowered music, which comes back after it.
void AnnounceScoreItem(Game& game, int item) {
  SpeakScoreMenu(game, item);
  RestoreMenuMusic(game);
}

// N types the name scores are posted under.
MenuStep NameScreen(Game& game, int item) {
  TypePlayerName(game);
  AnnounceScoreItem(game, item);
  return MenuStep::Stay;
}

void RunScoreMenu(Game& game, SoundBuffer& working) {
  MenuOnScreen screen(game, "Online score board", kScorePrompts);
  screen.Mark(kHearBest);
  DuckMenuMusic(game);
  PlayPromptInterruptible(game, "system\\menu\\hsn-menu.wav");
  AnnounceScoreItem(game, kHearBest);
  const auto perform = [&](Game& g, int item) {
    if (item == kLeave) return MenuStep::Leave;
    PerformScoreItem(g, item, working);
    return MenuStep::Stay;
  };
  WalkMenu(game, screen,
           {.items = kScorePrompts.size(),
            .speak = AnnounceScoreItem,
            .keys = {{dik::RETURN, perform}, {dik::ESCAPE, LeaveMenu}, {dik::N, NameScreen}}});
}

void ShowError(Game& game, const char* procedure, const std::exception& e) {
  const auto* runtime = dynamic_cast<const RuntimeError*>(&e);
  game.host.MessageBox(ScoreMenuErrorText(procedure, runtime ? runtime->Number() : kErrInvalidCall, e.what()));
}

}  // namespace

std::string ScoreMenuErrorText(const char* procedure, int number, const std::string& description) {
  return std::string("An error has occurred in this application.  Procedure: ") + procedure +
         ".  Error Number: " + std::to_string(number) + " - " + description +
         ".  Please report this information, and what you were doing, to the Starbarrow team: the README beside "
         "the program says how.";
}

void ScoreMenu(Game& game) {
  try {
    RunScoreMenu(game, game.sounds.blip);
  } catch (const std::exception& e) {
    StopSound(game.sounds.blip);
    ShowError(game, "ScoreMenu", e);
  }
}

void SpeakScoreMenu(Game& game, uint8_t item) {
  try {
    DuckMenuMusic(game);
    PlaySound(game, "system\\menu\\bleep.wav", 0, false);
    PlayPromptInterruptible(game, kScorePrompts[item % kScorePrompts.size()]);
  } catch (const std::exception& e) {
    ShowError(game, "SpeakScoreMenu", e);
  }
}

}  // namespace sb
