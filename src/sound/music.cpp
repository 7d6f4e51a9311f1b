#include "sound/music.h"

#include <string>

#include "game/game.h"
#include "platform/dik.h"
#include "sound/sound_engine.h"

namespace sb {

namespace {

constexpr int32_t kTrackQuietest = -2500;
constexpr int32_t kTrackStep = 250;
constexpr int32_t kTrackLowered = -500;
constexpr int32_t kMenuDucked = -1000;
constexpr int32_t kCricketStep = 100;
constexpr int32_t kCricketStepMs = 500;

// The volume table entry of the current track in the music or ambience mode.
template <typename G>
auto& TrackVolume(G& game) {
  auto& p = game.player;
  const MusicState& m = game.music;
  if (p.backgroundMode == kBackgroundAmbience) return p.ambienceVolumes[m.ambienceTrack % p.ambienceVolumes.size()];
  return p.musicVolumes[m.musicTrack % p.musicVolumes.size()];
}

void SwitchMode(Game& game, BackgroundMode mode) {
  if (game.player.backgroundMode == mode) return;
  game.player.backgroundMode = mode;
  StartBackgroundLoop(game);
}

void SetTrackVolume(Game& game, int32_t volume) {
  if (game.player.backgroundMode == kBackgroundOff) return;
  TrackVolume(game) = volume;
  game.music.backgroundLoop.SetVolume(volume);
}

}  // namespace

void StartBackgroundLoop(Game& game) {
  SoundBuffer& loop = game.music.backgroundLoop;
  StopSound(loop);
  const uint8_t mode = game.player.backgroundMode;
  if (mode != kBackgroundMusic && mode != kBackgroundAmbience) return;
  const std::string file = mode == kBackgroundMusic
                               ? "sounds\\music\\music" + std::to_string(game.music.musicTrack) + ".wav"
                               : "sounds\\music\\amb" + std::to_string(game.music.ambienceTrack) + ".wav";
  LoadSound(game, loop, file);
  loop.SetVolume(TrackVolume(game));
  loop.Play(true);
}

void StopBackgroundLoop(Game& game) { StopSound(game.music.backgroundLoop); }

int32_t BackgroundVolume(const Game& game) { return TrackVolume(game); }

void HandleBackgroundKeys(Game& game) {
  if (TakeKey(game.input, dik::F1)) SwitchMode(game, kBackgroundOff);
  if (TakeKey(game.input, dik::F2)) SwitchMode(game, kBackgroundMusic);
  if (TakeKey(game.input, dik::F3)) SwitchMode(game, kBackgroundAmbience);
  if (TakeKey(game.input, dik::F4)) SetTrackVolume(game, kTrackLowered);
  if (TakeKey(game.input, dik::F5) && game.player.backgroundMode != kBackgroundOff) {
    const int32_t v = TrackVolume(game);
    SetTrackVolume(game, v > kTrackQuietest ? v - kTrackStep : v);
  }
  if (TakeKey(game.input, dik::F6) && game.player.backgroundMode != kBackgroundOff) {
    const int32_t v = TrackVolume(game);
    SetTrackVolume(game, v < 0 ? v + kTrackStep : v);
  }
}

void StartMenuMusic(Game& game) {
  MenuLoops& m = game.music.menu;
  LoadSound(game, m.music, "sounds\\music\\music5.wav");
  LoadSound(game, m.crickets, "system\\menu\\crickets.wav");
  m.cricketVolume = -2000;
  m.cricketTick.Start(game.host.Ticks());
  m.cricketFadeDone = false;
  m.crickets.SetVolume(m.cricketVolume);
  m.crickets.Play(true);
  m.music.Play(true);
  m.music.SetVolume(kMenuDucked);
}

void PlayMenuMusic(Game& game) {
  game.music.menu.crickets.Play(true);
  game.music.menu.music.Play(true);
}

void DuckMenuMusic(Game& game) {
  game.music.menu.music.SetVolume(kMenuDucked);
  game.music.menu.crickets.SetVolume(kMenuDucked);
}

void RestoreMenuMusic(Game& game) {
  game.music.menu.music.SetVolume(0);
  game.music.menu.crickets.SetVolume(0);
}

void StopMenuMusic(Game& game) {
  StopSound(game.music.menu.music);
  StopSound(game.music.menu.crickets);
}

void StepCricketFade(Game& game) {
  MenuLoops& m = game.music.menu;
  if (m.cricketFadeDone) return;
  const int32_t now = game.host.Ticks();
  if (!m.cricketTick.MoreThan(now, kCricketStepMs)) return;
  if (m.cricketVolume >= -kCricketStep) {
    m.cricketVolume = 0;
    m.cricketFadeDone = true;
  } else {
    m.cricketVolume += kCricketStep;
    m.cricketTick.Start(now);
  }
  m.crickets.SetVolume(m.cricketVolume);
}

}  // namespace sb
