#include "sound/music.h"

#include "game/game.h"
#include "sound/sound_engine.h"

namespace sb {

// Waves play without a background loop until the level tracks exist.
void StartBackgroundLoop(Game&) {}
void StopBackgroundLoop(Game& game) { StopSound(game.music.backgroundLoop); }
void HandleBackgroundKeys(Game&) {}

}  // namespace sb
