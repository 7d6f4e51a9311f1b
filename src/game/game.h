#pragma once
// The Game aggregate: every piece of program-wide state, and the host. A fresh
// Game is a fresh program; tests build one per case.

#include <string>

#include "aliens/alien_state.h"
#include "aliens/saucer_state.h"
#include "audio/sound_system.h"
#include "game/game_state.h"
#include "game/screen.h"
#include "platform/host.h"
#include "platform/input_state.h"
#include "platform/player_record.h"
#include "platform/vb_random.h"
#include "player/ship_state.h"
#include "player/weapons_state.h"
#include "rounds/boss_state.h"
#include "rounds/round_state.h"
#include "sound/game_sounds.h"
#include "sound/music_state.h"
#include "sound/speech_state.h"

namespace sb {

struct RandomState {
  VbRandom rnd;
  int32_t spreadPrevious = 0;  // the last value RandomSpread gave, shared by all callers
  bool spreadHasPrevious = false;
};

struct StartupState {
  bool soundsLoaded = false;
  bool failed = false;  // an unexpected error led to the exit
  bool playerFileHeld = false;  // there but unreadable at start: never written over
};

struct Game {
  explicit Game(Host& host) : host(host), sound(host) {
    host.SetScreenSource([this] { return TakeScreen(*this); });
  }
  ~Game() {
    host.SetScreenSource(nullptr);  // the window no longer reads a game that is gone
    host.SetJoystickListener(nullptr);  // no controller event may reach a game that is gone
    sound.Shutdown();
  }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Host& host;
  SoundSystem sound;  // first in, last out: every buffer below goes before the mixer
  GameSounds sounds;
  SpeechState speech;
  MusicState music;
  InputState input;
  PlayerRecord player;
  RandomState random;
  StartupState startup;
  GameState state;
  ShipState ship;
  WeaponsState weapons;
  AliensState aliens;
  SaucerState saucer;
  SheepDropState sheepDrop;
  MeteorShowerState meteorShower;
  BossState boss;
  ScreenState screen;
};

}  // namespace sb
