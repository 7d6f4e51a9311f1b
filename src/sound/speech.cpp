#include "sound/speech.h"

#include <string>

#include "game/game.h"
#include "platform/input.h"
#include "platform/runtime_error.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

void StartPrompt(Game& game, std::string_view file, int32_t pan) {
  SoundBuffer& channel = game.speech.channel;
  LoadSound(game, channel, file);  // the previous prompt goes with its buffer
  channel.SetVolume(0);
  channel.SetPan(pan);
  channel.Play(false);
}

}  // namespace

void PlaySound(Game& game, std::string_view file, int32_t pan, bool wait) {
  try {
    StartPrompt(game, file, pan);
    if (!wait) return;
    SoundBuffer& channel = game.speech.channel;
    while (channel.IsPlaying()) {
      game.host.Yield();
      PollInput(game);
      if (KeyPressed(game.input, dik::F12)) {
        game.input.keyLatch[dik::F12] = true;
        channel.Stop();
      }
    }
  } catch (const RuntimeError& e) {
    game.host.MessageBox("Error: PlaySound #" + std::to_string(e.Number()) + " - " + e.what());
  } catch (const std::exception& e) {
    game.host.MessageBox("Error: PlaySound #" + std::to_string(kErrInvalidCall) + " - " + e.what());
  }
}

void PlaySoundStereo(Game& game, std::string_view file, int32_t pan, bool wait) {
  StartPrompt(game, file, pan);
  if (!wait) return;
  while (game.speech.channel.IsPlaying()) game.host.Yield();
}

}  // namespace sb
