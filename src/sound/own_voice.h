#pragma once
// The player's own screen-reader voice. In that voice every prompt with words
// is said through the host's speech service at the player's own rate, voice
// and volume, instead of playing its recording; effects, music and every
// sound without words stay recorded. The choice is kept in the settings
// store. When the voice cannot be had (no speech service, or its connection
// drops), the player is told once in the recorded voice and the recordings
// speak until the player switches voices again, which tries the voice anew.

#include <cstdint>
#include <string_view>

#include "platform/dik.h"

namespace sb {

struct Game;

// The key that switches voices, in menus and in play.
constexpr uint8_t kVoiceKey = dik::F8;

constexpr const char* kVoiceSettingsApp = "Starbarrow";
constexpr const char* kVoiceSettingsSection = "Speech";
constexpr const char* kVoiceSettingsKey = "voice";

// The options item and the voices' names, in the voice in effect.
constexpr const char* kVoiceItemPrompt = "system\\menu\\voicemode.wav";
constexpr const char* kRecordedVoicePrompt = "system\\menu\\recvoice.wav";
constexpr const char* kOwnVoicePrompt = "system\\menu\\ownvoice.wav";
// Said once when the player's own voice cannot be had.
constexpr const char* kNoOwnVoicePrompt = "system\\menu\\novoice.wav";

// At start-up: the voice the player chose in an earlier run.
void LoadVoiceChoice(Game& game);
// The player's own voice speaks: chosen, and not lost this run.
bool OwnVoiceOn(const Game& game);
// The name of the voice in effect.
const char* VoicePrompt(const Game& game);
// Changes to the other voice and keeps the choice; the player's own voice is
// tried anew. Says nothing.
void SwitchVoice(Game& game);
// The voice key: switches, and says the voice in effect.
void HandleVoiceKey(Game& game);
// The player's own voice could not say something: the reason is reported,
// the player hears it once in the recorded voice, and the recordings speak on.
void LoseOwnVoice(Game& game);

}  // namespace sb
