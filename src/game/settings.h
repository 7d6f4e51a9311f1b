#pragma once
// The player's two files in the player folder: "sbinfo.sbr" (the player record)
// and "keymap.sbk" (the action table). Read once at start, written in full
// whenever a value in them changes.

#include <string>

namespace sb {

struct Game;

constexpr const char* kPlayerFileName = "sbinfo.sbr";
constexpr const char* kKeyMapFileName = "keymap.sbk";
constexpr const char* kSettingsApp = "KVZ31P";
constexpr const char* kSettingsSection = "Settings";

// Start-up: reads both files, or on the very first run (no player file) takes
// the key map the player already has or the one shipped with the program and
// writes both files. A player file that is there but cannot be read is not a
// first run: it is told, heard, and never written over in this run.
void LoadPlayerFiles(Game& game);
// Reads the player file, then the key map. A missing key map is a run-time error.
void LoadSettings(Game& game);
// Writes the player file, then the key map, then reads them back. False when
// the player folder refused a file: the player heard the refusal, the host is told
// why, and what is in memory stays as it is.
bool SaveSettings(Game& game);
// One value in the per-user settings store, under the game's application and section.
void WriteSetting(Game& game, const char* key, const std::string& value);

}  // namespace sb
