#include <string>

#include "game/game.h"
#include "sound/speech.h"

namespace sb {

namespace {

void Say(Game& game, const std::string& word) { PlaySound(game, "sounds/numbers/" + word + ".wav", 0, true); }
void SayNumber(Game& game, int value) { Say(game, std::to_string(value)); }

}  // namespace

// Number words are joined from the largest part down: 12345 is "twelve,
// thousand, three, hundred, forty, five". Digits past the ninth are not spoken.
void SpeakNumber(Game& game, int32_t n) {
  const int64_t value = n < 0 ? -static_cast<int64_t>(n) : n;
  const std::string s = std::to_string(value);
  const size_t L = s.size();
  auto D = [&](size_t k) { return k <= L ? s[L - k] - '0' : 0; };

  if (L > 8 && D(9) > 0) {
    SayNumber(game, D(9));
    Say(game, "hundred");
  }
  if (L > 7 && D(8) > 1) SayNumber(game, D(8) * 10);
  if (L > 7 && D(8) == 1) SayNumber(game, 10 + D(7));
  if (L > 6) {
    if ((L < 8 || D(8) != 1) && D(7) > 0) SayNumber(game, D(7));
    Say(game, "million");
  }
  if (L > 5 && D(6) > 0) {
    SayNumber(game, D(6));
    Say(game, "hundred");
  }
  if (L > 4 && D(5) > 1) {
    SayNumber(game, D(5) * 10);
    if (D(4) != 0) SayNumber(game, D(4));
  }
  if (L > 4 && D(5) == 1) SayNumber(game, 10 + D(4));
  if (L > 3 && (L < 5 || D(5) == 0) && D(4) > 0) SayNumber(game, D(4));
  if ((L > 5 && D(6) != 0) || (L > 4 && D(5) != 0) || (L > 3 && D(4) != 0)) Say(game, "thousand");
  if (L > 2 && D(3) > 0) {
    SayNumber(game, D(3));
    Say(game, "hundred");
  }
  if (L > 1 && D(2) > 1) SayNumber(game, D(2) * 10);
  if (L > 1 && D(2) == 1) SayNumber(game, 10 + D(1));
  if (L == 1 && value == 0) Say(game, "zero");
  if (L > 1 && D(2) != 1 && D(1) > 0) SayNumber(game, D(1));
  if (L == 1 && D(1) > 0) SayNumber(game, D(1));
}

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
