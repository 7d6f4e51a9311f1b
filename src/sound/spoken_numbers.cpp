#include <string>
#include <vector>

#include "game/game.h"
#include "sound/speech.h"

namespace sb {

namespace {

// Number words are joined from the largest part down: 12345 is "twelve,
// thousand, three, hundred, forty, five". Digits past the ninth are not spoken.
std::vector<std::string> NumberWordFiles(int32_t n) {
  std::vector<std::string> files;
  auto Say = [&](const std::string& word) { files.push_back("sounds/numbers/" + word + ".wav"); };
  auto SayNumber = [&](int value) { Say(std::to_string(value)); };
  const int64_t value = n < 0 ? -static_cast<int64_t>(n) : n;
  const std::string s = std::to_string(value);
  const size_t L = s.size();
  auto D = [&](size_t k) { return k <= L ? s[L - k] - '0' : 0; };

  if (L > 8 && D(9) > 0) {
    SayNumber(D(9));
    Say("hundred");
  }
  if (L > 7 && D(8) > 1) SayNumber(D(8) * 10);
  if (L > 7 && D(8) == 1) SayNumber(10 + D(7));
  if (L > 6) {
    if ((L < 8 || D(8) != 1) && D(7) > 0) SayNumber(D(7));
    Say("million");
  }
  if (L > 5 && D(6) > 0) {
    SayNumber(D(6));
    Say("hundred");
  }
  if (L > 4 && D(5) > 1) {
    SayNumber(D(5) * 10);
    if (D(4) != 0) SayNumber(D(4));
  }
  if (L > 4 && D(5) == 1) SayNumber(10 + D(4));
  if (L > 3 && (L < 5 || D(5) == 0) && D(4) > 0) SayNumber(D(4));
  if ((L > 5 && D(6) != 0) || (L > 4 && D(5) != 0) || (L > 3 && D(4) != 0)) Say("thousand");
  if (L > 2 && D(3) > 0) {
    SayNumber(D(3));
    Say("hundred");
  }
  if (L > 1 && D(2) > 1) SayNumber(D(2) * 10);
  if (L > 1 && D(2) == 1) SayNumber(10 + D(1));
  if (L == 1 && value == 0) Say("zero");
  if (L > 1 && D(2) != 1 && D(1) > 0) SayNumber(D(1));
  if (L == 1 && D(1) > 0) SayNumber(D(1));
  return files;
}

}  // namespace

void SpeakNumber(Game& game, int32_t n) { PlayNumberWords(game, NumberWordFiles(n)); }

void SpeakScore(Game& game) {
  PlaySound(game, "sounds/d_cursco.wav", 0, true);
  SpeakNumber(game, game.state.Score);
}

void SpeakLevelAndWave(Game& game) {
  PlaySound(game, "sounds/d_level.wav", 0, true);
  PlaySound(game, "sounds/d_" + std::to_string(game.state.Level) + ".wav", 0, true);
  PlaySound(game, "sounds/d_wave.wav", 0, true);
  PlaySound(game, "sounds/d_" + std::to_string(game.state.Wave) + ".wav", 0, true);
}

}  // namespace sb
