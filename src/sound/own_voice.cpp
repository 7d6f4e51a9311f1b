#include "sound/own_voice.h"

#include <string>

#include "game/game.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr const char* kRecordedValue = "recorded";
constexpr const char* kOwnValue = "screen-reader";

}  // namespace

void LoadVoiceChoice(Game& game) {
  const auto value = game.host.ReadSetting(kVoiceSettingsApp, kVoiceSettingsSection, kVoiceSettingsKey);
  game.speech.chosen = value == kOwnValue ? Voice::PlayersOwn : Voice::Recorded;
}

bool OwnVoiceOn(const Game& game) { return game.speech.chosen == Voice::PlayersOwn && !game.speech.ownVoiceLost; }

const char* VoicePrompt(const Game& game) { return OwnVoiceOn(game) ? kOwnVoicePrompt : kRecordedVoicePrompt; }

void SwitchVoice(Game& game) {
  SpeechState& speech = game.speech;
  const bool toOwn = !OwnVoiceOn(game);
  speech.chosen = toOwn ? Voice::PlayersOwn : Voice::Recorded;
  speech.ownVoiceLost = false;
  if (speech.own.channel) game.host.CancelSpeech();
  speech.own = OwnVoicePrompt{};
  game.host.WriteSetting(kVoiceSettingsApp, kVoiceSettingsSection, kVoiceSettingsKey,
                         toOwn ? kOwnValue : kRecordedValue);
}

void HandleVoiceKey(Game& game) {
  if (!TakeKey(game.input, kVoiceKey)) return;
  SwitchVoice(game);
  PlaySound(game, VoicePrompt(game), 0, false);
}

void LoseOwnVoice(Game& game) {
  game.speech.ownVoiceLost = true;
  game.speech.own = OwnVoicePrompt{};
  game.host.Report("the screen reader's voice (speech-dispatcher) cannot be reached; the recorded voice speaks on");
  PlaySound(game, kNoOwnVoicePrompt, 0, true);
}

}  // namespace sb
