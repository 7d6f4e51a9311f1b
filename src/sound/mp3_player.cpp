#include "sound/mp3_player.h"

#include <iostream>

#include "game/game.h"
#include "platform/event_log.h"
#include "platform/input.h"
#include "sound/sound_library.h"

namespace sb {

namespace {

void Note(Game& game, const char* op) {
  if (EventLog* log = game.host.Log()) log->Write(game.host.Ticks(), op, LogPath(game.music.mp3.name));
}

// The recording is heard to stop once, whether it was stopped or ran out.
void NoteStopped(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.running) return;
  mp3.running = false;
  Note(game, "mp3stop");
}

bool Playing(Game& game) {
  return (game.sound.GetMixer().Status(game.music.mp3.voice) & kStatusPlaying) != 0;
}

}  // namespace

bool Mp3Open(Game& game, std::string_view file) {
  Mp3Release(game);
  try {
    auto pcm = game.host.Sounds().Load(file);
    game.music.mp3.voice = game.sound.GetMixer().CreateVoice(std::move(pcm));
    game.music.mp3.name = std::string(file);
    return true;
  } catch (const std::exception& e) {
    std::cerr << "starbarrow: cannot play " << LogPath(file) << ": " << e.what() << '\n';
    return false;
  }
}

bool Mp3Play(Game& game, bool noWait) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.voice.Valid()) return false;
  if (!Playing(game)) {
    game.sound.GetMixer().Play(mp3.voice, false);
    mp3.running = true;
    Note(game, "mp3");
  }
  if (!noWait) Mp3Wait(game);
  return true;
}

void Mp3Stop(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.voice.Valid()) return;
  game.sound.GetMixer().Stop(mp3.voice);
  game.sound.GetMixer().SetPosition(mp3.voice, 0);
  NoteStopped(game);
}

void Mp3Wait(Game& game) {
  while (Playing(game)) {
    game.host.Yield();
    PollInput(game);
    if (TakeKey(game.input, dik::LCONTROL)) Mp3Stop(game);
  }
  NoteStopped(game);
}

bool Mp3Release(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.voice.Valid()) return true;
  Mp3Stop(game);
  game.sound.GetMixer().DestroyVoice(mp3.voice);
  mp3 = Mp3State{};
  return true;
}

void PlayMp3AndWait(Game& game, std::string_view file) {
  if (Mp3Open(game, file)) Mp3Play(game, false);
  Mp3Release(game);
}

}  // namespace sb
