#pragma once
// Where the score board is, and the name a score is posted under. Both live
// in the per-user settings store, under the game's own section.

#include <string>

namespace sb {

struct Game;

constexpr const char* kBoardUrlVariable = "STARBARROW_BOARD_URL";
constexpr const char* kBoardSettingsApp = "Starbarrow";
constexpr const char* kBoardSettingsSection = "ScoreBoard";
constexpr const char* kBoardUrlKey = "board_url";
constexpr const char* kPlayerNameKey = "player_name";
constexpr size_t kMaxPlayerNameLength = 64;

// The board's base address without a trailing '/': the environment variable
// when set, else the "board_url" setting. Empty when neither names one: the
// game ships with no board set up, so no score goes anywhere unasked.
std::string BoardUrl(Game& game);

// The name scores are posted under: the one the player chose, or else the
// suggested one.
std::string PlayerName(Game& game);
// The name suggested until the player chooses one: the account's login name,
// or "player" when that cannot be used.
std::string SuggestedPlayerName(Game& game);
// The name the player chose, empty when none was.
std::string ChosenPlayerName(Game& game);
// Keeps a chosen name, without spaces around it, for this and every later
// run; an empty name goes back to the login name. False, and nothing kept, for a name the board would
// refuse: over 64 characters, or anything but printable ASCII.
bool SetPlayerName(Game& game, const std::string& name);

}  // namespace sb
