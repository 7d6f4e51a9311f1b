#include "scoreboard/name_entry.h"

#include <array>
#include <cctype>
#include <optional>
#include <utility>

#include "game/game.h"
#include "game/screen.h"
#include "menus/menu_keys.h"
#include "scoreboard/board_settings.h"
#include "sound/game_sounds.h"
#include "sound/music.h"
#include "sound/speech.h"

namespace sb {

namespace {

// The keys that type a character, and the character without Shift.
constexpr std::array<std::pair<uint8_t, char>, 39> kTypingKeys = {{
    {dik::A, 'a'},     {dik::B, 'b'},     {dik::C, 'c'},      {dik::D, 'd'},  {dik::E, 'e'},  {dik::F, 'f'},
    {dik::G, 'g'},     {dik::H, 'h'},     {dik::I, 'i'},      {dik::J, 'j'},  {dik::K, 'k'},  {dik::L, 'l'},
    {dik::M, 'm'},     {dik::N, 'n'},     {dik::O, 'o'},      {dik::P, 'p'},  {dik::Q, 'q'},  {dik::R, 'r'},
    {dik::S, 's'},     {dik::T, 't'},     {dik::U, 'u'},      {dik::V, 'v'},  {dik::W, 'w'},  {dik::X, 'x'},
    {dik::Y, 'y'},     {dik::Z, 'z'},     {dik::K1, '1'},     {dik::K2, '2'}, {dik::K3, '3'}, {dik::K4, '4'},
    {dik::K5, '5'},    {dik::K6, '6'},    {dik::K7, '7'},     {dik::K8, '8'}, {dik::K9, '9'}, {dik::K0, '0'},
    {dik::SPACE, ' '}, {dik::MINUS, '-'}, {dik::PERIOD, '.'},
}};

char Shifted(char c) {
  if (c == '-') return '_';
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The key pressed this pass that types a character, used up.
std::optional<char> TypedCharacter(InputState& input) {
  const bool shift = input.modifiers.leftShift || input.modifiers.rightShift;
  for (const auto& [key, c] : kTypingKeys) {
    if (TakeKey(input, key)) return shift ? Shifted(c) : c;
  }
  return std::nullopt;
}

// Letters by their own recording, digits by the number words; anything else
// a name can hold (from the login name) by the bleep.
std::string CharacterRecording(char c) {
  const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower >= 'a' && lower <= 'z') return std::string("system\\menu\\letters\\") + lower + ".wav";
  if (c == '0') return "sounds\\numbers\\zero.wav";
  if (c >= '1' && c <= '9') return std::string("sounds\\numbers\\") + c + ".wav";
  switch (c) {
    case ' ': return "system\\menu\\letters\\space.wav";
    case '-': return "system\\menu\\letters\\dash.wav";
    case '.': return "system\\menu\\letters\\dot.wav";
    case '_': return "system\\menu\\letters\\underscore.wav";
    default: return "system\\menu\\bleep.wav";
  }
}

void SpeakCharacter(Game& game, char c) { PlaySound(game, CharacterRecording(c), 0, true); }

// The window shows the name in use and, marked below it, the name typed so
// far, which changes before the character is read back.
enum NameLine : uint8_t { kNameInUse, kNameTyped };

std::string NameInUseWords(const std::string& name) { return ItemWords("system\\menu\\hsnnameis.wav") + " " + name; }

void ShowTyped(MenuOnScreen& screen, const std::string& typed) { screen.Picture().items[kNameTyped] = typed; }

void TakeBack(Game& game, MenuOnScreen& screen, std::string& typed) {
  if (typed.empty()) {
    PlayInvalid(game);
    return;
  }
  typed.pop_back();
  ShowTyped(screen, typed);
  PlaySound(game, "system\\menu\\hsndeleted.wav", 0, true);
}

void Type(Game& game, MenuOnScreen& screen, std::string& typed, char c) {
  if (typed.size() >= kMaxPlayerNameLength) {
    PlayInvalid(game);
    return;
  }
  typed += c;
  ShowTyped(screen, typed);
  SpeakCharacter(game, c);
}

}  // namespace

void SpeakPlayerName(Game& game, const std::string& name) {
  PlaySound(game, "system\\menu\\hsnnameis.wav", 0, true);
  for (const char c : name) SpeakCharacter(game, c);
}

bool TypePlayerName(Game& game) {
  const std::string inUse = PlayerName(game);
  std::string typed;
  MenuOnScreen screen(game, "Type your name", {NameInUseWords(inUse), typed});
  screen.Mark(kNameTyped);
  DuckMenuMusic(game);
  SpeakPlayerName(game, inUse);
  PlayPromptInterruptible(game, "system\\menu\\hsnname.wav");
  bool kept = false;
  for (;;) {
    MenuPass(game);
    InputState& input = game.input;
    if (TakeKey(input, dik::ESCAPE)) break;
    if (TakeKey(input, dik::RETURN)) {
      // Nothing typed keeps the suggested name, written out: confirmed, it is chosen.
      const bool blank = typed.find_first_not_of(' ') == std::string::npos;
      SetPlayerName(game, blank ? SuggestedPlayerName(game) : typed);
      const std::string name = PlayerName(game);
      screen.Picture().items[kNameInUse] = NameInUseWords(name);
      SpeakPlayerName(game, name);
      kept = true;
      break;
    }
    if (TakeKey(input, dik::BACK)) TakeBack(game, screen, typed);
    if (const auto c = TypedCharacter(input)) Type(game, screen, typed, *c);
  }
  RestoreMenuMusic(game);
  return kept;
}

}  // namespace sb
