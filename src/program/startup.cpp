#include "program/startup.h"

#include <algorithm>
#include <array>
#include <memory>

#include "game/game.h"
#include "game/settings.h"
#include "game/stop_game_sounds.h"
#include "game/waves.h"
#include "input/joystick.h"
#include "menus/menus.h"
#include "platform/event_log.h"
#include "platform/runtime_error.h"
#include "sound/game_sounds.h"
#include "sound/own_voice.h"
#include "sound/sound_engine.h"
#include "sound/speech.h"

namespace sb {

namespace {

constexpr const char* kSoundDriverError =
    "Sound driver error. Please update your sound card drivers and make sure you have at least DirectX 7.0 "
    "installed. For help, read \"Sound problems\" in README.md, in the program's folder.";

void OpenSoundDevice(Game& game) {
  if (game.sound.Start()) return;
  game.host.Report("no sound device could be opened");
  game.host.MessageBox(kSoundDriverError);
  throw ProgramEnd{1};
}

void SetStartingValues(Game& game) {
  game.state.ShipX = kShipStartX;
  game.state.ShipY = kShipY;
  game.state.Energy = 100;
  game.state.Difficulty = 1;
}

}  // namespace

std::string MainCaption() {
  return "Starbarrow V" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

std::optional<DirectGame> ParseDirectGame(std::string_view text) {
  std::array<int, 3> parts{};
  size_t part = 0;
  bool digit = false;
  for (const char c : text) {
    if (c == ':' && digit && part < 2) {
      ++part;
      digit = false;
    } else if (c >= '0' && c <= '9' && parts[part] < 100) {
      parts[part] = parts[part] * 10 + (c - '0');
      digit = true;
    } else {
      return std::nullopt;
    }
  }
  const auto [level, wave, difficulty] = parts;
  if (part != 2 || !digit || level < 1 || level > 8 || wave < 1 || wave > 5 || difficulty < 1 || difficulty > 4) {
    return std::nullopt;
  }
  return DirectGame{static_cast<uint8_t>(level), static_cast<uint8_t>(wave), static_cast<uint8_t>(difficulty)};
}

std::optional<DirectGame> ParseDirectRound(std::string_view text) {
  constexpr std::pair<std::string_view, SpecialRound> kRounds[] = {
      {"sheep", SpecialRound::SheepDrop}, {"meteor", SpecialRound::MeteorShower}, {"boss", SpecialRound::Boss}};
  const std::string_view name = text.substr(0, text.find(':'));
  const auto known = std::find_if(std::begin(kRounds), std::end(kRounds), [&](const auto& r) { return r.first == name; });
  if (known == std::end(kRounds)) return std::nullopt;
  DirectGame direct;
  direct.round = known->second;
  if (name.size() == text.size()) return direct;
  const std::string_view difficulty = text.substr(name.size() + 1);
  if (difficulty.size() != 1 || difficulty[0] < '1' || difficulty[0] > '4') return std::nullopt;
  direct.difficulty = static_cast<uint8_t>(difficulty[0] - '0');
  return direct;
}

void StartUp(Game& game) {
  OpenSoundDevice(game);
  SetStartingValues(game);
  LoadPlayerFiles(game);
  LoadVoiceChoice(game);
  LoadGameSounds(game);
  EnumerateJoysticks(game);
  if (game.player.controllerMode == 1) SetUpJoystick(game);
  game.startup.soundsLoaded = true;
  // A refusal heard while the files were read (a player file that cannot be
  // read or written) ends before the title, which would mask it.
  while (game.sounds.invalid.IsPlaying()) game.host.Yield();
  PlaySound(game, "sounds\\sb.wav", 0, true);
}

void Initialize(Game& game) {
  StartUp(game);
  MainMenu(game);
}

void PlayDirectGame(Game& game, const DirectGame& direct) {
  StartUp(game);
  game.state.InsaneMode = direct.difficulty == 4;
  game.state.Difficulty = game.state.InsaneMode ? 3 : direct.difficulty;
  if (direct.round) {
    PlayRoundDirectly(game, *direct.round);
  } else {
    StartGame(game, direct.level, direct.wave);
  }
  MainMenu(game);
}

void ExitGame(Game& game) {
  PlaySound(game, "system\\menu\\exiting.wav", 0, true);
  StopGameSounds(game);
  const int code = game.startup.failed ? 1 : 0;
  if (EventLog* log = game.host.Log()) {
    log->Write(game.host.Ticks(), "exit", {}, {"code=" + std::to_string(code)});
    log->Close();
  }
  throw ProgramEnd{code};
}

void HandleRunTimeError(Game& game, const std::exception& error) {
  game.host.Report(std::string("error: ") + error.what());
  game.startup.failed = true;
  game.host.Yield();
  PlayInvalidEvenEarly(game);
}

int RunProgram(Host& host, const std::optional<DirectGame>& direct) {
  if (!host.ClaimSingleInstance()) return 0;
  host.ShowMainWindow(MainCaption());
  auto game = std::make_unique<Game>(host);
  try {
    try {
      if (direct) {
        PlayDirectGame(*game, *direct);
      } else {
        Initialize(*game);
      }
    } catch (const std::exception& e) {
      HandleRunTimeError(*game, e);
    }
    ExitGame(*game);
  } catch (const ProgramEnd& end) {
    return end.code;
  } catch (const std::exception& e) {
    host.Report(std::string("error while ending: ") + e.what());
    return 1;
  }
}

}  // namespace sb
