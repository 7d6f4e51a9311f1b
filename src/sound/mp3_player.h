#pragma once
// Long recordings (the intro and the credits) played from MP3 files through
// the mixer. They stream: a few pieces are decoded ahead of the play
// position, so playing starts at once and memory stays flat however long
// the recording is. At most one recording is open; opening another releases
// the one before.

#include <string_view>

namespace sb {

struct Game;

// Opens the recording under the program folder; false, with nothing open,
// when it is missing or cannot be decoded.
bool Mp3Open(Game& game, std::string_view file);
// Starts the open recording and, unless noWait, waits for its end (Mp3Wait).
// False when nothing is open.
bool Mp3Play(Game& game, bool noWait);
// Decodes ahead of a recording that plays; false once it has ended (or
// nothing plays). Mp3Wait calls it each pass; whoever plays a recording
// without waiting calls it as often.
bool Mp3Feed(Game& game);
// Stops and rewinds the recording.
void Mp3Stop(Game& game);
// Returns when the recording has played to its end. Left Ctrl ends it at
// once; other keys do not.
void Mp3Wait(Game& game);
// Stops the recording and frees what it holds. True.
bool Mp3Release(Game& game);

// The menus' way: open, play and wait; a recording that cannot be opened is
// skipped.
void PlayMp3AndWait(Game& game, std::string_view file);

}  // namespace sb
