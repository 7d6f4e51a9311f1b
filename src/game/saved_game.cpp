#include "game/saved_game.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "game/game.h"
#include "game/scoring.h"
#include "game/settings.h"
#include "game/waves.h"
#include "platform/score_codec.h"
#include "sound/game_sounds.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The eleven saved values in their stored order.
enum SavedField {
  kLevelField,
  kWaveField,
  kScoreField,
  kEnergyField,
  kMissilesSpentField,
  kNukesField,
  kVaporsField,
  kRapidTimeField,
  kDifficultyField,
  kTurboTimeField,
  kShieldsField,
};

std::string Stored(int64_t value) { return ToBase36(EncodeScore(static_cast<double>(value))); }

// A stored text read back: 0 unless it decodes to a whole number from 0 to `high`.
int64_t Restored(const std::string& text, int64_t high) {
  const double value = DecodeScore(FromBase36(text));
  if (!(value >= 0 && value <= static_cast<double>(high)) || value != std::floor(value)) return 0;
  return static_cast<int64_t>(value);
}

template <typename T>
T RestoredAs(const std::string& text, int64_t high = std::numeric_limits<T>::max()) {
  return static_cast<T>(Restored(text, high));
}

}  // namespace

void SaveGame(Game& game) {
  const GameState& s = game.state;
  auto& saved = game.player.saved;
  const auto savedBefore = saved;
  const bool hadSave = game.player.savedGame;
  saved[kLevelField] = Stored(s.Level);
  saved[kWaveField] = Stored(s.Wave);
  saved[kScoreField] = Stored(s.Score);
  saved[kEnergyField] = Stored(s.Energy);
  saved[kMissilesSpentField] = Stored(s.MissilesSpent);
  saved[kNukesField] = Stored(s.Nukes);
  saved[kVaporsField] = Stored(s.Vapors);
  saved[kRapidTimeField] = Stored(s.RapidTime);
  saved[kDifficultyField] = Stored(s.Difficulty);
  saved[kTurboTimeField] = Stored(s.TurboTime);
  saved[kShieldsField] = Stored(s.Shields);
  game.player.savedGame = true;
  if (!SaveSettings(game)) {
    // Refused (a full disk, a folder that cannot be written): the player heard
    // it, and plays on from where they were, the save that was kept unchanged.
    saved = savedBefore;
    game.player.savedGame = hadSave;
    return;
  }
  PlaySound(game, "system\\menu\\saved.wav", 0, true);
  game.state.QuitToMenu = true;
  game.state.GameActive = false;
}

void RestoreSavedGame(Game& game) {
  ResetGameState(game);
  GameState& s = game.state;
  const auto& saved = game.player.saved;
  // A level, wave or difficulty of 0 would start no game at all.
  s.Level = std::max<uint8_t>(1, RestoredAs<uint8_t>(saved[kLevelField], 8));
  s.Wave = std::max<uint8_t>(1, RestoredAs<uint8_t>(saved[kWaveField], 5));
  s.Score = RestoredAs<int32_t>(saved[kScoreField]);
  s.Energy = RestoredAs<int16_t>(saved[kEnergyField]);
  s.MissilesSpent = RestoredAs<uint8_t>(saved[kMissilesSpentField], 10);
  s.Nukes = RestoredAs<uint8_t>(saved[kNukesField]);
  s.Vapors = RestoredAs<uint8_t>(saved[kVaporsField]);
  s.RapidTime = RestoredAs<int32_t>(saved[kRapidTimeField]);
  s.Difficulty = std::max<uint8_t>(1, RestoredAs<uint8_t>(saved[kDifficultyField], 3));
  s.TurboTime = RestoredAs<int32_t>(saved[kTurboTimeField]);
  s.Shields = RestoredAs<uint8_t>(saved[kShieldsField]);
  // The Insane choice is the menu's, not the save's; it only exists on Hard.
  if (s.Difficulty != 3) s.InsaneMode = false;
  s.HasNukes = s.Nukes > 0;
  s.RapidActive = s.RapidTime > 0;
  s.TurboAvailable = s.TurboTime > 0;
}

bool LoadSavedGame(Game& game) {
  if (!game.player.savedGame) {
    PlayInvalid(game);
    return false;
  }
  RestoreSavedGame(game);
  StopMenuMusic(game);
  // Used up; the player file keeps it until it is next written.
  game.player.savedGame = false;
  PlaySound(game, "system\\menu\\loaded.wav", 0, true);
  PlayGame(game);
  return true;
}

}  // namespace sb
