#include <cmath>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/screen.h"
#include "input/joystick.h"
#include "menus/joystick_menus.h"
#include "menus/menu_keys.h"
#include "sound/music.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

bool AnyControllerButtonDown(const InputState& input) {
  for (int b = 0; b < 32; ++b) {
    if (input.joyButtons[b]) return true;
  }
  return false;
}

}  // namespace

void JoystickTest(Game& game) {
  if (!JoystickPresent(game)) return;
  const MenuOnScreen screen(game, "Joystick test", std::vector<std::string>{});
  DuckMenuMusic(game);
  SoundBuffer beep;
  LoadSound(game, beep, "system\\menu\\testbeep.wav");
  beep.Play(true);
  // The stick's left is no longer Escape: only the Escape key leaves.
  game.input.joystickTest = true;
  bool laserStarted = false;
  for (;;) {
    MenuPass(game);
    const JoystickState& js = game.input.joystick;
    // From the left end to the right, -2500 to 2500; from the top to the
    // bottom, 27050 Hz to 17050 Hz (rounded to even, as the pan always was).
    beep.SetPan(static_cast<int32_t>(std::lrint(js.axis[0] / 2.0 - 2500.0)));
    beep.SetFrequency(27050 - js.axis[1]);
    if (AnyControllerButtonDown(game.input)) {
      if (!laserStarted) RestartSound(game.sounds.laser);
      laserStarted = true;
    } else {
      laserStarted = false;
    }
    if (TakeKey(game.input, dik::ESCAPE)) break;
  }
  beep.Reset();
  RestoreMenuMusic(game);
  game.input.joystickTest = false;
}

}  // namespace sb
