#pragma once
// The background loop under a wave (the level's music or ambience track, at
// the volume the player chose for that track) and the main menu's loops.

#include <cstdint>

namespace sb {

struct Game;

// (Re)starts the background loop for the current mode and tracks; in the off
// mode it only stops it. A missing track is a run-time error.
void StartBackgroundLoop(Game& game);
void StopBackgroundLoop(Game& game);
// The current track's volume from the player's table of the current mode.
int32_t BackgroundVolume(const Game& game);
// F1 to F6 during play, each once per press: F1 off, F2 music, F3 ambience,
// F4 the track to -500, F5 quieter and F6 louder by 250 (-2500 to 0). The
// player file keeps the change from its next save.
void HandleBackgroundKeys(Game& game);

// Loads the menu music and the crickets and starts both: the crickets at
// -2000 to fade in, the music at -1000.
void StartMenuMusic(Game& game);
// Both loops again, after a game or a recording that stopped them.
void PlayMenuMusic(Game& game);
// Both loops to -1000 while a submenu speaks, back to full, or stopped.
void DuckMenuMusic(Game& game);
void RestoreMenuMusic(Game& game);
void StopMenuMusic(Game& game);
// One step of the crickets' fade-in when more than 500 ms have passed since
// the last: 100 louder, or full once within 100 of it.
void StepCricketFade(Game& game);

}  // namespace sb
