#include "scoreboard/board_settings.h"

#include <algorithm>

#include "game/game.h"

namespace sb {

namespace {

std::string Setting(Game& game, const char* key) {
  return game.host.ReadSetting(kBoardSettingsApp, kBoardSettingsSection, key).value_or("");
}

bool Postable(const std::string& name) {
  return !name.empty() && name.size() <= kMaxPlayerNameLength &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

}  // namespace

std::string BoardUrl(Game& game) {
  std::string url = game.host.Environment(kBoardUrlVariable).value_or("");
  if (url.empty()) url = Setting(game, kBoardUrlKey);
  while (url.ends_with('/')) url.pop_back();
  return url;
}

std::string ChosenPlayerName(Game& game) {
  const std::string name = Setting(game, kPlayerNameKey);
  return Postable(name) ? name : std::string();
}

std::string SuggestedPlayerName(Game& game) {
  const std::string login = game.host.LoginName();
  return Postable(login) ? login : "player";
}

std::string PlayerName(Game& game) {
  const std::string chosen = ChosenPlayerName(game);
  return chosen.empty() ? SuggestedPlayerName(game) : chosen;
}

bool SetPlayerName(Game& game, const std::string& typed) {
  const size_t first = typed.find_first_not_of(' ');
  const std::string name =
      first == std::string::npos ? "" : typed.substr(first, typed.find_last_not_of(' ') - first + 1);
  if (!name.empty() && !Postable(name)) return false;
  game.host.WriteSetting(kBoardSettingsApp, kBoardSettingsSection, kPlayerNameKey, name);
  return true;
}

}  // namespace sb
