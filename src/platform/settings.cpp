#include "platform/settings.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

#include "game/game.h"
#include "platform/key_map.h"
#include "platform/player_file.h"
#include "platform/runtime_error.h"
#include "platform/score_codec.h"
#include "sound/game_sounds.h"

namespace sb {

namespace {

void Report(const std::string& file, const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) std::cerr << "starbarrow: " << file << ": " << problem << '\n';
}

// A damaged player file may still hold what the player cares about; keep its
// bytes once before the next save replaces it.
void KeepDamagedCopy(Game& game, const std::vector<uint8_t>& bytes) {
  const std::string copy = std::string(kPlayerFileName) + ".damaged";
  if (game.host.ReadFile(Folder::Player, copy)) return;
  if (game.host.WriteFile(Folder::Player, copy, bytes)) {
    std::cerr << "starbarrow: kept a copy of the damaged player file as " << copy << '\n';
  }
}

int32_t BestFromText(const std::string& encoded) {
  return static_cast<int32_t>(DecodeInRange(LeadingNumber(encoded), 0, INT32_MAX));
}

void ApplyPlayerFile(Game& game, const std::vector<uint8_t>& bytes) {
  DecodedPlayerFile decoded = DecodePlayerFile(bytes);
  if (!decoded.problems.empty()) {
    Report(kPlayerFileName, decoded.problems);
    KeepDamagedCopy(game, bytes);
  }
  game.player = decoded.record;
  // The plain best field is only trusted when the encoded one is gone.
  if (decoded.haveEncodedBest) game.player.personalBest = BestFromText(decoded.record.encodedBest);
}

void ReadKeyMap(Game& game, Folder folder) {
  const auto bytes = game.host.ReadFile(folder, kKeyMapFileName);
  if (!bytes) {
    const char* where = folder == Folder::Program ? "the program folder" : "the player folder";
    throw RuntimeError(kErrFileNotFound, std::string("The key map ") + kKeyMapFileName + " is missing from " + where);
  }
  std::vector<std::string> problems;
  const ActionTable table = DecodeKeyMap(*bytes, problems);
  Report(kKeyMapFileName, problems);
  for (int a = 0; a < kActionCount; ++a) {
    game.input.actions[a].key = table[a].key;
    game.input.actions[a].button = table[a].button;
  }
}

// A full disk or a folder that cannot be written: the player hears the
// refusal and the reason goes to stderr. What is in memory is the truth;
// reading the old files back would lose it.
void RefuseSave(Game& game, const char* file, int error) {
  std::cerr << "starbarrow: cannot save " << file << " in the player folder";
  if (error != 0) std::cerr << ": " << std::strerror(error);
  std::cerr << '\n';
  PlayInvalidEvenEarly(game);
}

}  // namespace

void LoadPlayerFiles(Game& game) {
  const auto bytes = game.host.ReadFile(Folder::Player, kPlayerFileName);
  if (!bytes) {
    // The very first run: start from the key map that ships with the program.
    ReadKeyMap(game, Folder::Program);
    SaveSettings(game);
    return;
  }
  ApplyPlayerFile(game, *bytes);
  ReadKeyMap(game, Folder::Player);
}

void LoadSettings(Game& game) {
  if (const auto bytes = game.host.ReadFile(Folder::Player, kPlayerFileName)) ApplyPlayerFile(game, *bytes);
  ReadKeyMap(game, Folder::Player);
}

void SaveSettings(Game& game) {
  PlayerRecord& r = game.player;
  if (r.personalBest < 1) {
    r.encodedBest.clear();
    r.personalBest = 0;
  } else {
    r.encodedBest = std::to_string(static_cast<int64_t>(EncodeScore(r.personalBest)));
  }
  ActionTable table{};
  for (int a = 0; a < kActionCount; ++a) table[a] = game.input.actions[a];
  for (const auto& [name, bytes] : {std::pair{kPlayerFileName, EncodePlayerFile(r)},
                                    std::pair{kKeyMapFileName, EncodeKeyMap(table)}}) {
    errno = 0;
    if (!game.host.WriteFile(Folder::Player, name, bytes)) {
      RefuseSave(game, name, errno);
      return;
    }
  }
  LoadSettings(game);
}

void WriteSetting(Game& game, const char* key, const std::string& value) {
  game.host.WriteSetting(kSettingsApp, kSettingsSection, key, value);
}

}  // namespace sb
