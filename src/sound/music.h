#pragma once
// The background loop under a wave: the level's music or ambience track.

namespace sb {

struct Game;

void StartBackgroundLoop(Game& game);
void StopBackgroundLoop(Game& game);
// F1 to F6 during play: background mode and volume.
void HandleBackgroundKeys(Game& game);

}  // namespace sb
