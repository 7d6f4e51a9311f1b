#pragma once
// Everything the player hears as words is a prompt, played here, one at a time
// on each channel: a new prompt cuts off the one playing there. A prompt is a
// recording, or its words in the player's own voice (sound/own_voice.h); the
// same rules hold for both: waits wait for the end of speech, F12 skips.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

struct Game;
struct Stopwatch;
class SoundBuffer;

// Plays a prompt on the speech channel. With `wait`, returns when it ends;
// F12 skips it (once per press). A prompt that cannot be played shows an
// error message and the caller goes on.
void PlaySound(Game& game, std::string_view file, int32_t pan, bool wait);

// The same for the stereo wave-complete prompt; its wait only lets window
// messages run (no skip key).
void PlaySoundStereo(Game& game, std::string_view file, int32_t pan, bool wait);

// A menu prompt on the prompt channel. It starts once the keys that move
// through menus are released, so the key that opened a menu does not cut off
// its first prompt, and ends early when such a key, or move-left, move-right
// or laser, is pressed. The key that ended it is left for the menu to read.
void PlayPromptInterruptible(Game& game, std::string_view file);

// Speaks a number from number words and returns after the last one.
void SpeakNumber(Game& game, int32_t n);
// Number words one after another on the speech channel, each waited for; the
// player's own voice says the whole number as one utterance.
void PlayNumberWords(Game& game, const std::vector<std::string>& files);
// The player's own voice is saying a prompt.
bool OwnVoiceSpeaking(const Game& game);
// "Current score" and the score.
void SpeakScore(Game& game);
// "Level", the level, "wave", the wave.
void SpeakLevelAndWave(Game& game);
// Energy, then each stock the player holds, each followed by the locate ping.
void SpeakInventory(Game& game);

// Between waves and rounds: speaks its prompt, answers status queries, and
// returns when the player presses Space or Escape (or a joystick button).
void BreakStatusWait(Game& game);
// The same with the press-a-key prompt and without the inventory report.
void PressKeyWait(Game& game);

// Pauses the game until P is pressed.
void PauseGame(Game& game);

// The pause key of any scene: the game pauses with the scene's own sounds
// held where they are (they go on from there when play resumes) and its clocks
// standing still; the P that resumed play is no new press.
void PauseScene(Game& game, std::span<SoundBuffer* const> sounds = {}, std::span<Stopwatch* const> clocks = {});

}  // namespace sb
