#include "sound/mp3_player.h"

#include <algorithm>

#include "audio/sound_library.h"
#include "game/game.h"
#include "input/input.h"
#include "platform/event_log.h"

namespace sb {

namespace {

// The ring holds two seconds; the decoder keeps up to a second and a half
// of it ahead of the play position, so the part being heard is never
// rewritten and a late pass has time in hand.
constexpr int kRingSeconds = 2;
constexpr size_t kPieceFrames = 4096;
// Pieces decoded in one pass: a pass stays short whatever the file.
constexpr int kPiecesPerPass = 2;

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

size_t RingFrames(const Mp3State& mp3) { return mp3.ring->Frames(); }
size_t Lead(const Mp3State& mp3) { return RingFrames(mp3) - static_cast<size_t>(mp3.ring->rate) / 2; }

// What follows the end in the ring is silence, not the sound of two seconds before.
void SilenceAfterEnd(Mp3State& mp3) {
  const size_t frames = RingFrames(mp3);
  const auto channels = static_cast<size_t>(mp3.ring->channels);
  for (uint64_t f = mp3.written; f < mp3.heard + frames; ++f) {
    std::fill_n(mp3.ring->samples.begin() + static_cast<std::ptrdiff_t>((f % frames) * channels), channels, 0);
  }
}

// Reads one piece into the ring at the write position; a file that turns out
// broken part-way ends there.
size_t ReadPiece(Host& host, Mp3State& mp3) {
  const size_t frames = RingFrames(mp3);
  const size_t at = mp3.written % frames;
  const size_t count = std::min(kPieceFrames, frames - at);
  int16_t* out = mp3.ring->samples.data() + at * static_cast<size_t>(mp3.ring->channels);
  try {
    const size_t got = mp3.stream->Read(out, count);
    if (got < count) mp3.streamEnded = true;
    return got;
  } catch (const std::exception& e) {
    host.Report(LogPath(mp3.name) + " ends early: " + e.what());
    mp3.streamEnded = true;
    return 0;
  }
}

void Refill(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  for (int piece = 0; piece < kPiecesPerPass && !mp3.streamEnded; ++piece) {
    if (mp3.written - mp3.heard + kPieceFrames > Lead(mp3)) break;
    mp3.written += ReadPiece(game.host, mp3);
    if (mp3.streamEnded) SilenceAfterEnd(mp3);
  }
  game.sound.GetMixer().PublishSamples(mp3.voice);
}

// Null, with the reason told, when the recording cannot be had.
std::unique_ptr<SoundStream> OpenRecording(Game& game, std::string_view file) {
  try {
    return game.host.Sounds().OpenStream(file);
  } catch (const std::exception& e) {
    game.host.Report("cannot play " + LogPath(file) + ": " + e.what());
    return nullptr;
  }
}

// Back to the start of the recording, which is opened again when it next plays.
void Rewind(Mp3State& mp3) {
  mp3.stream.reset();
  mp3.written = mp3.heard = 0;
  mp3.lastPosition = 0;
  mp3.streamEnded = false;
}

}  // namespace

bool Mp3Open(Game& game, std::string_view file) {
  Mp3Release(game);
  Mp3State& mp3 = game.music.mp3;
  mp3.stream = OpenRecording(game, file);
  if (!mp3.stream) return false;
  auto ring = std::make_shared<Pcm>();
  ring->rate = mp3.stream->Rate();
  ring->channels = mp3.stream->Channels();
  ring->samples.assign(static_cast<size_t>(kRingSeconds * ring->rate * ring->channels), 0);
  mp3.voice = game.sound.GetMixer().CreateVoice(ring);
  if (!mp3.voice.Valid()) {
    mp3 = Mp3State{};
    return false;
  }
  mp3.ring = std::move(ring);
  mp3.name = std::string(file);
  return true;
}

bool Mp3Play(Game& game, bool noWait) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.voice.Valid()) return false;
  if (!mp3.running) {
    if (!mp3.stream) {
      // Played again after a stop: from the start, in the form the ring was made for.
      mp3.stream = OpenRecording(game, mp3.name);
      if (!mp3.stream || mp3.stream->Rate() != mp3.ring->rate || mp3.stream->Channels() != mp3.ring->channels) {
        mp3.stream.reset();
        return false;
      }
    }
    Refill(game);
    game.sound.GetMixer().Play(mp3.voice, true);
    mp3.running = true;
    Note(game, "mp3");
  }
  if (!noWait) Mp3Wait(game);
  return true;
}

bool Mp3Feed(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.running) return false;
  Mixer& mixer = game.sound.GetMixer();
  const uint32_t position = mixer.Position(mp3.voice);
  const size_t frames = RingFrames(mp3);
  mp3.heard += (position + frames - mp3.lastPosition) % frames;
  mp3.lastPosition = position;
  if (mp3.streamEnded && mp3.heard >= mp3.written) {
    mixer.Stop(mp3.voice);
    NoteStopped(game);
    return false;
  }
  // A pass so late that the voice got past the sound decoded: go on from
  // where it is rather than play what it passed over a second time.
  if (mp3.heard > mp3.written) mp3.written = mp3.heard;
  Refill(game);
  return true;
}

void Mp3Stop(Game& game) {
  Mp3State& mp3 = game.music.mp3;
  if (!mp3.voice.Valid()) return;
  game.sound.GetMixer().Stop(mp3.voice);
  game.sound.GetMixer().SetPosition(mp3.voice, 0);
  Rewind(mp3);
  NoteStopped(game);
}

void Mp3Wait(Game& game) {
  while (Mp3Feed(game)) {
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
