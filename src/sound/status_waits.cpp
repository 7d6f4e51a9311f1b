#include <string>

#include "game/game.h"
#include "input/input.h"
#include "input/joystick.h"
#include "sound/speech.h"

namespace sb {

namespace {

void SayCount(Game& game, const char* prompt, int32_t count) {
  PlaySound(game, prompt, 0, true);
  SpeakNumber(game, count);
  PlaySound(game, "sounds/locate.wav", 0, true);
}

void StatusWait(Game& game, const char* opening, bool inventory) {
  InputState& input = game.input;
  input.joyButtons.fill(0);
  PlaySound(game, opening, 0, true);
  for (;;) {
    game.host.Yield();
    PollInput(game);
    if (TakeAction(input, kScoreReport)) SpeakScore(game);
    if (KeyPressed(input, dik::H)) {
      input.keyLatch[dik::H] = true;
      PlaySound(game, "system\\menu\\hs_yhsi.wav", 0, true);
      SpeakNumber(game, game.player.personalBest);
    }
    if (inventory && TakeAction(input, kEnergyReport)) SpeakInventory(game);
    if (JoystickInUse(game) && AnyButtonDown(input)) return;
    if (KeyDown(input, dik::SPACE) || KeyDown(input, dik::ESCAPE)) return;
  }
}

}  // namespace

void SpeakInventory(Game& game) {
  const GameState& s = game.state;
  SayCount(game, "sounds/pEnergy.wav", s.Energy);
  if (s.MissilesSpent < 10) SayCount(game, "sounds/pMissile.wav", 10 - s.MissilesSpent);
  if (s.Nukes != 0) SayCount(game, "sounds/pNuke.wav", s.Nukes);
  if (s.Vapors != 0) SayCount(game, "sounds/pVapor.wav", s.Vapors);
  if (s.Shields != 0) SayCount(game, "sounds/pshield.wav", s.Shields);
}

void BreakStatusWait(Game& game) { StatusWait(game, "sounds/smackem.wav", true); }

void PressKeyWait(Game& game) { StatusWait(game, "system\\menu\\presskey.wav", false); }

}  // namespace sb
