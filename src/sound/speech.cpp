#include "sound/speech.h"

#include <string>

#include "game/game.h"
#include "input/input.h"
#include "input/joystick.h"
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
  game.host.SpeechStarted(file);
}

void Pump(Game& game) {
  game.host.Yield();
  PollInput(game);
}

constexpr uint8_t kMenuKeys[] = {dik::UP, dik::DOWN, dik::RETURN, dik::SPACE, dik::ESCAPE};
constexpr uint8_t kPromptBreakKeys[] = {dik::TAB, dik::RETURN, dik::ESCAPE, dik::SPACE, dik::UP, dik::DOWN};

bool AnyDown(const InputState& input, const uint8_t* keys, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (KeyDown(input, keys[i])) return true;
  }
  return false;
}

bool PromptCutShort(const Game& game) {
  const InputState& input = game.input;
  if (AnyDown(input, kPromptBreakKeys, std::size(kPromptBreakKeys))) return true;
  if (game.speech.gameStartPrompt && JoystickInUse(game) && AnyButtonDown(input)) return true;
  return input.actions[kMoveLeft].active || input.actions[kMoveRight].active || input.actions[kLaser].active;
}

}  // namespace

void PlaySound(Game& game, std::string_view file, int32_t pan, bool wait) {
  try {
    StartPrompt(game, file, pan);
    if (!wait) return;
    SoundBuffer& channel = game.speech.channel;
    while (channel.IsPlaying()) {
      Pump(game);
      if (KeyPressed(game.input, dik::F12)) {
        game.input.keyLatch[dik::F12] = true;
        channel.Stop();
      }
    }
  } catch (const std::exception& e) {
    const auto* known = dynamic_cast<const RuntimeError*>(&e);
    const int number = known ? known->Number() : kErrInvalidCall;
    game.host.MessageBox("Error: PlaySound #" + std::to_string(number) + " - " + e.what());
  }
}

void PlaySoundStereo(Game& game, std::string_view file, int32_t pan, bool wait) {
  StartPrompt(game, file, pan);
  if (!wait) return;
  while (game.speech.channel.IsPlaying()) game.host.Yield();
}

void PlayPromptInterruptible(Game& game, std::string_view file) {
  SoundBuffer& prompt = game.speech.promptChannel;
  StopSound(prompt);
  while (AnyDown(game.input, kMenuKeys, std::size(kMenuKeys))) Pump(game);
  LoadSound(game, prompt, file);
  prompt.SetVolume(0);
  prompt.Play(false);
  game.host.SpeechStarted(file);
  while (prompt.IsPlaying()) {
    Pump(game);
    if (PromptCutShort(game)) break;
  }
  StopSound(prompt);
}

}  // namespace sb
