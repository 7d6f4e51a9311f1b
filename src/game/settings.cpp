#include "game/settings.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "game/game.h"
#include "platform/key_map.h"
#include "platform/player_file.h"
#include "platform/runtime_error.h"
#include "platform/score_codec.h"
#include "sound/game_sounds.h"

namespace sb {

namespace {

void ReportProblems(Game& game, const std::string& file, const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) game.host.Report(file + ": " + problem);
}

// A damaged player file may still hold what the player cares about; keep its
// bytes once before the next save replaces it.
void KeepDamagedCopy(Game& game, const std::vector<uint8_t>& bytes) {
  const std::string copy = std::string(kPlayerFileName) + ".damaged";
  if (game.host.ReadFile(Folder::Player, copy)) return;
  if (game.host.WriteFile(Folder::Player, copy, bytes)) {
    game.host.Report("kept a copy of the damaged player file as " + copy);
  }
}

int32_t BestFromText(const std::string& encoded) {
  return static_cast<int32_t>(DecodeInRange(LeadingNumber(encoded), 0, INT32_MAX));
}

void ApplyPlayerFile(Game& game, const std::vector<uint8_t>& bytes) {
  DecodedPlayerFile decoded = DecodePlayerFile(bytes);
  if (!decoded.problems.empty()) {
    ReportProblems(game, kPlayerFileName, decoded.problems);
    KeepDamagedCopy(game, bytes);
  }
  game.player = decoded.record;
  // The plain best field is only trusted when the encoded one is gone.
  if (decoded.haveEncodedBest) game.player.personalBest = BestFromText(decoded.record.encodedBest);
}

const char* FolderName(Folder folder) { return folder == Folder::Program ? "the program folder" : "the player folder"; }

void ApplyKeyMap(Game& game, Folder folder, const FileRead& bytes) {
  if (!bytes) {
    const std::string file = std::string("The key map ") + kKeyMapFileName;
    if (bytes.Missing()) throw RuntimeError(kErrFileNotFound, file + " is missing from " + FolderName(folder));
    throw RuntimeError(kErrFileNotFound, file + " in " + FolderName(folder) + " cannot be read: " +
                                             std::strerror(bytes.error));
  }
  std::vector<std::string> problems;
  const ActionTable table = DecodeKeyMap(*bytes, problems);
  ReportProblems(game, kKeyMapFileName, problems);
  for (int a = 0; a < kActionCount; ++a) {
    game.input.actions[a].key = table[a].key;
    game.input.actions[a].button = table[a].button;
  }
}

void ReadKeyMap(Game& game, Folder folder) { ApplyKeyMap(game, folder, game.host.ReadFile(folder, kKeyMapFileName)); }

// A player file that is there but cannot be read (another owner, no read
// permission, an I/O error, far too large) still holds the player's best and
// saved game: the game plays with a first run's values and never writes over it.
void HoldUnreadablePlayerFile(Game& game, int error) {
  game.host.Report(std::string(kPlayerFileName) + " in the player folder cannot be read: " + std::strerror(error) +
                   "; playing with a first run's values, and the file is left as it is");
  game.startup.playerFileHeld = true;
  PlayInvalidEvenEarly(game);
}

// A full disk or a folder that cannot be written: the player hears the
// refusal and the host is told the reason. What is in memory is the truth;
// reading the old files back would lose it.
void RefuseSave(Game& game, const char* file, const std::string& why) {
  game.host.Report(std::string("cannot save ") + file + " in the player folder: " + why);
  PlayInvalidEvenEarly(game);
}

}  // namespace

void LoadPlayerFiles(Game& game) {
  const FileRead info = game.host.ReadFile(Folder::Player, kPlayerFileName);
  if (info.Missing()) {
    // The very first run: the key map the player already keeps, else the one
    // that ships with the program.
    const FileRead own = game.host.ReadFile(Folder::Player, kKeyMapFileName);
    if (own.Missing()) {
      ReadKeyMap(game, Folder::Program);
    } else {
      ApplyKeyMap(game, Folder::Player, own);
    }
    SaveSettings(game);
    return;
  }
  if (info) {
    ApplyPlayerFile(game, *info);
  } else {
    HoldUnreadablePlayerFile(game, info.error);
  }
  ReadKeyMap(game, Folder::Player);
}

void LoadSettings(Game& game) {
  if (const auto bytes = game.host.ReadFile(Folder::Player, kPlayerFileName)) ApplyPlayerFile(game, *bytes);
  ReadKeyMap(game, Folder::Player);
}

bool SaveSettings(Game& game) {
  PlayerRecord& r = game.player;
  if (r.personalBest < 1) {
    r.encodedBest.clear();
    r.personalBest = 0;
  } else {
    r.encodedBest = std::to_string(static_cast<int64_t>(EncodeScore(r.personalBest)));
  }
  ActionTable table{};
  for (int a = 0; a < kActionCount; ++a) table[a] = game.input.actions[a];
  bool saved = true;
  for (const auto& [name, bytes] : {std::pair{kPlayerFileName, EncodePlayerFile(r)},
                                    std::pair{kKeyMapFileName, EncodeKeyMap(table)}}) {
    if (std::string_view(name) == kPlayerFileName && game.startup.playerFileHeld) {
      RefuseSave(game, name, "it could not be read at start, so it is left as it is");
      saved = false;
      continue;  // the key map is the player's own and can still be kept
    }
    errno = 0;
    if (!game.host.WriteFile(Folder::Player, name, bytes)) {
      RefuseSave(game, name, errno != 0 ? std::strerror(errno) : "the file could not be written");
      return false;
    }
  }
  if (saved) LoadSettings(game);
  return saved;
}

void WriteSetting(Game& game, const char* key, const std::string& value) {
  game.host.WriteSetting(kSettingsApp, kSettingsSection, key, value);
}

}  // namespace sb
