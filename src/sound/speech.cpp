#include "sound/speech.h"

#include <algorithm>
#include <optional>
#include <string>

#include "audio/captions.h"
#include "game/game.h"
#include "input/input.h"
#include "input/joystick.h"
#include "platform/runtime_error.h"
#include "sound/own_voice.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

// The player's own voice is given up on when its end of speech has not come
// in this long: longer than any screen reader's slowest rate could take.
constexpr int32_t kOwnVoiceGraceMs = 3000;
constexpr int32_t kOwnVoiceSlowestMsPerChar = 200;

int32_t OwnVoiceLimit(std::string_view words) {
  return kOwnVoiceGraceMs + static_cast<int32_t>(std::min<size_t>(words.size(), 100000)) * kOwnVoiceSlowestMsPerChar;
}

// The player's own voice says the words for a channel, cutting off whatever
// it said before and whatever the channel played. False when the voice cannot
// be had: the player has then heard why, and the recordings speak on.
bool SayOnChannel(Game& game, SoundBuffer& channel, std::string_view words, std::string_view sounds) {
  StopSound(channel);
  if (!game.host.Speak(words, true)) {
    LoseOwnVoice(game);
    return false;
  }
  game.speech.own = {&channel, Stopwatch(game.host.Ticks()), OwnVoiceLimit(words), std::string(sounds)};
  return true;
}

// What the player's own voice said for the channel is cut off, as a new
// recording there cuts off the old one.
void EndOwnVoiceOn(Game& game, const SoundBuffer& channel) {
  if (game.speech.own.channel != &channel) return;
  game.host.CancelSpeech();
  game.speech.own = OwnVoicePrompt{};
}

// Starts a prompt on a channel: the player's own voice says its words, or
// its recording plays. A prompt the own voice could not say plays recorded
// after the player was told, except the own voice's name: that notice has
// just said which voice speaks.
void StartOnChannel(Game& game, SoundBuffer& channel, std::string_view file, int32_t pan) {
  if (OwnVoiceOn(game)) {
    if (const std::optional<std::string_view> words = CaptionFor(file)) {
      if (SayOnChannel(game, channel, *words, SoundsWithoutWords(file))) {
        game.host.SpeechStarted(file);
        return;
      }
      if (file == kOwnVoicePrompt) return;
    }
  }
  EndOwnVoiceOn(game, channel);
  LoadSound(game, channel, file);  // the previous prompt goes with its buffer
  channel.SetVolume(0);
  channel.SetPan(pan);
  channel.Play(false);
  game.host.SpeechStarted(file);
}

// Whether the channel's prompt still sounds. The player's own voice speaks
// for it until its end of speech (or until it is given up on); then the
// recording's sounds without words, if it has any, play there.
bool Sounding(Game& game, SoundBuffer& channel) {
  OwnVoicePrompt& own = game.speech.own;
  if (own.channel == &channel) {
    const bool busy = game.host.SpeechBusy();
    if (busy && !own.started.MoreThan(game.host.Ticks(), own.limitMs)) return true;
    if (busy) {
      game.host.Report("the screen reader's voice gave no end of speech in " + std::to_string(own.limitMs) +
                       " ms; going on");
      game.host.CancelSpeech();
    }
    const std::string sounds = std::move(own.sounds);
    own = OwnVoicePrompt{};
    if (!sounds.empty()) {
      LoadSound(game, channel, sounds);
      channel.SetVolume(0);
      channel.Play(false);
    }
  }
  return channel.IsPlaying();
}

// Silences the channel's prompt, whichever voice says it.
void Silence(Game& game, SoundBuffer& channel) {
  EndOwnVoiceOn(game, channel);
  StopSound(channel);
}

void Pump(Game& game) {
  game.host.Yield();
  PollInput(game);
}

// Waits for the speech channel's prompt to end; F12 skips it (once per press).
void WaitSkippable(Game& game) {
  SoundBuffer& channel = game.speech.channel;
  while (Sounding(game, channel)) {
    Pump(game);
    if (KeyPressed(game.input, dik::F12)) {
      game.input.keyLatch[dik::F12] = true;
      Silence(game, channel);
    }
  }
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
    StartOnChannel(game, game.speech.channel, file, pan);
    if (wait) WaitSkippable(game);
  } catch (const std::exception& e) {
    const auto* known = dynamic_cast<const RuntimeError*>(&e);
    const int number = known ? known->Number() : kErrInvalidCall;
    game.host.MessageBox("Error: PlaySound #" + std::to_string(number) + " - " + e.what());
  }
}

void PlaySoundStereo(Game& game, std::string_view file, int32_t pan, bool wait) {
  StartOnChannel(game, game.speech.channel, file, pan);
  if (!wait) return;
  while (Sounding(game, game.speech.channel)) game.host.Yield();
}

void PlayPromptInterruptible(Game& game, std::string_view file) {
  SoundBuffer& prompt = game.speech.promptChannel;
  Silence(game, prompt);
  while (AnyDown(game.input, kMenuKeys, std::size(kMenuKeys))) Pump(game);
  StartOnChannel(game, prompt, file, 0);
  while (Sounding(game, prompt)) {
    Pump(game);
    if (PromptCutShort(game)) break;
  }
  Silence(game, prompt);
}

void PlayNumberWords(Game& game, const std::vector<std::string>& files) {
  if (OwnVoiceOn(game) && !files.empty()) {
    CaptionLine line;
    for (const std::string& file : files) line.Started(file);
    if (SayOnChannel(game, game.speech.channel, line.Text(), {})) {
      for (const std::string& file : files) game.host.SpeechStarted(file);
      WaitSkippable(game);
      return;
    }
  }
  for (const std::string& file : files) PlaySound(game, file, 0, true);
}

bool OwnVoiceSpeaking(const Game& game) { return game.speech.own.channel && game.host.SpeechBusy(); }

}  // namespace sb
