#include "support/bot_player.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "game/game.h"
#include "game/settings.h"
#include "hosts/sim_host.h"
#include "platform/dik.h"
#include "platform/player_file.h"
#include "platform/runtime_error.h"
#include "program/startup.h"
#include "sound/sound_engine.h"
#include "support/log_lines.h"

namespace sb::test {

namespace {

constexpr int32_t kTapMs = 60;  // a key is held this long ...
constexpr int32_t kGapMs = 50;  // ... and let go at least this long before its next press
constexpr int32_t kSettleMs = 300;        // silence that tells a menu is waiting for a key
constexpr int32_t kMenuSettleMs = 2000;   // silence at the main menu before it is judged
constexpr int kBombShelter = 120;  // bombs land 500 or more from the left end, and hit within 360
constexpr int kNearWall = 150;            // the ship keeps this far inside the walls
constexpr int kFarWall = 9450;
constexpr int kLaserReach = 340;          // a little inside the laser's reach
constexpr int kBossStandOff = 500;        // under the mothership, clear of both its laser beams
constexpr int16_t kLowEnergy = 40;
constexpr int kLowAlien = 6000;  // an alien this low is about to land: it comes before a bomber
constexpr int kSaucerBeforeHeight = 5000;  // the saucer is chased while no alien is lower than this
constexpr int32_t kNever = 1 << 30;
constexpr int32_t kMissileRange = 9999;  // a missile finds no alien this far or farther
constexpr int kBombRunHeight = 3500;   // a silver alien starts its run lower than this ...
constexpr int32_t kDropWhistleMs = 1000;  // ... and its bombs fall once the drop's whistle has ended
constexpr int kShipStep = 50;             // the ship moves this far ...
constexpr int32_t kMsPerStep = 15;        // ... this often
constexpr int32_t kShelterMarginMs = 250;
constexpr int32_t kShieldAheadMs = 150;   // a ship caught in the open raises its shield this soon before the bombs
constexpr int kSwarm = 3;                 // this many silver aliens still to bomb are swept, not hunted
constexpr int kSweepInside = 250;         // a sweep turns this far inside the outermost alien

enum class Phase { MainMenu, Difficulty, Playing, BackAtMenu, Leaving };

// Keys as a player's fingers work them: a tap is a short press, a hold lasts
// as long as the bot wants it.
class Fingers {
 public:
  void Tap(uint8_t key, int32_t now) {
    Timing& t = taps_[key];
    if (now < t.readyAt) return;
    t.downUntil = now + kTapMs;
    t.readyAt = now + kTapMs + kGapMs;
  }
  void Hold(uint8_t key) { held_[key] = true; }
  void LetGoOfHolds() { held_.fill(false); }
  void Apply(KeyboardState& state, int32_t now) const {
    for (size_t k = 0; k < state.size(); ++k) {
      if (held_[k] || now < taps_[k].downUntil) state[k] = 0x80;
    }
  }

 private:
  struct Timing {
    int32_t downUntil = 0;
    int32_t readyAt = 0;
  };
  std::array<Timing, 256> taps_{};
  std::array<bool, 256> held_{};
};

class Bot {
 public:
  Bot(const BotOptions& options, BotReport& report) : options_(options), report_(report) {}
  void Watch(Game* game) { game_ = game; }

  // Once per virtual millisecond: listen, then decide what the fingers do.
  void Decide(SimHost& host) {
    now_ = host.Ticks();
    Hear(host.GetLog());
    if (!game_) return;
    const bool quiet = Quiet();
    if (!quiet || lastPrompt_ != settledPrompt_) quietSince_ = now_;
    settledPrompt_ = lastPrompt_;
    fingers_.LetGoOfHolds();
    switch (phase_) {
      case Phase::MainMenu:
        AtMainMenu();
        break;
      case Phase::Difficulty:
        AtDifficultyMenu();
        break;
      case Phase::Playing:
      case Phase::BackAtMenu:
        InGame(host);
        break;
      case Phase::Leaving:
        break;
    }
  }

  // Read on every poll of the keyboard, several times a millisecond.
  void Press(KeyboardState& state) {
    fingers_.Apply(state, now_);
    if (VaporStillWanted()) state[dik::TAB] = 0x80;
  }

 private:
  // What was heard since the last look; the log is emptied as it is read.
  void Hear(EventLog& log) {
    for (const std::string& line : log.Lines()) Heard(ParseLogLine(line));
    log.Clear();
  }

  void Heard(const LogLine& line) {
    if (line.op == "mp3") streaming_ = true;
    if (line.op == "mp3stop") streaming_ = false;
    if (line.op != "play") return;
    const std::string path = line.rest.substr(0, line.rest.find(' '));
    if (path.rfind("system/menu/", 0) == 0 || path.rfind("sounds/d_", 0) == 0 || path == "sounds/smackem.wav" ||
        path == "sounds/complete.wav") {
      lastPrompt_ = path;
    }
    Announcement(path);
    if (path == "sounds/d_wavcom.wav") ++report_.tallies;
    if (path == "sounds/invalid.wav") ++report_.invalidBeeps;
    if (path == "sounds/d_sheep.wav") report_.rounds.push_back("sheep");
    if (path == "sounds/d_meteor.wav") report_.rounds.push_back("meteor");
    if (path == "sounds/liftoff.wav") report_.rounds.push_back("boss");
    if (path == "sounds/complete.wav") report_.completed = true;
    if (path == "sounds/d_gamovr.wav") report_.gameOver = true;
  }

  // "Level N wave M": the number after each word.
  void Announcement(const std::string& path) {
    if (path == "sounds/d_level.wav" || path == "sounds/d_wave.wav") {
      expecting_ = path;
      return;
    }
    if (expecting_.empty() || path.rfind("sounds/d_", 0) != 0) return;
    const std::string digits = path.substr(9, path.size() - 9 - 4);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return;
    const int n = std::stoi(digits);
    if (expecting_ == "sounds/d_level.wav") {
      announcedLevel_ = n;
    } else {
      report_.waves.emplace_back(announcedLevel_, n);
    }
    expecting_.clear();
  }

  bool Quiet() const {
    return !game_->speech.channel.IsPlaying() && !game_->speech.promptChannel.IsPlaying() && !streaming_;
  }
  bool Settled(int32_t ms) const { return now_ - quietSince_ >= ms; }

  void AtMainMenu() {
    if (lastPrompt_ != "system/menu/select.wav" || !Settled(kSettleMs)) return;
    const Mixer& mixer = game_->sound.GetMixer();
    report_.liveAtMenuBefore = mixer.LiveVoices();
    report_.playingAtMenuBefore = mixer.ActiveVoices();
    fingers_.Tap(dik::RETURN, now_);
    phase_ = Phase::Difficulty;
  }

  // Down until the wanted difficulty is announced, then Enter.
  void AtDifficultyMenu() {
    const bool heardChoice = lastPrompt_ == "system/menu/seldiff.wav" ||
                             lastPrompt_ == "system/menu/diff" + std::to_string(chosen_) + ".wav";
    if (!heardChoice || !Settled(kSettleMs)) return;
    if (chosen_ < options_.difficulty) {
      fingers_.Tap(dik::DOWN, now_);
      ++chosen_;
      return;
    }
    fingers_.Tap(dik::RETURN, now_);
    gameStart_ = now_;
    phase_ = Phase::Playing;
  }

  void InGame(SimHost& host) {
    if (streaming_) {
      fingers_.Tap(dik::LCONTROL, now_);  // the intro, heard before
      return;
    }
    if ((lastPrompt_ == "sounds/smackem.wav" || lastPrompt_ == "system/menu/presskey.wav") && Quiet()) {
      fingers_.Tap(dik::SPACE, now_);
      return;
    }
    const GameState& s = game_->state;
    if (s.QuitToMenu) phase_ = Phase::BackAtMenu;
    if (phase_ == Phase::BackAtMenu) {
      LeaveAtMenu(host);
      return;
    }
    if (!s.GameActive) return;
    if (game_->boss.BossAlive) {
      FightBoss();
    } else if (game_->sheepDrop.loaded) {
      PlaySheepDrop();
    } else if (game_->meteorShower.loaded) {
      PlayMeteorShower();
    } else {
      FightWave();
    }
  }

  // Back at the main menu with its item spoken and nothing more to hear:
  // what is left alive is judged, then Escape ends the program.
  void LeaveAtMenu(SimHost& host) {
    const bool atMenu = lastPrompt_ == "system/menu/newgame.wav" || lastPrompt_ == "system/menu/writescr.wav";
    if (!atMenu || !Settled(kMenuSettleMs)) return;
    const Mixer& mixer = game_->sound.GetMixer();
    report_.liveAtMenuAfter = mixer.LiveVoices();
    report_.playingAtMenuAfter = mixer.ActiveVoices();
    report_.finalScore = game_->state.Score;
    report_.bestInMemory = game_->player.personalBest;
    if (const auto bytes = host.Files(Folder::Player).Read(kPlayerFileName)) {
      report_.bestOnDisk = DecodePlayerFile(*bytes).record.personalBest;
    }
    report_.gameMs = now_ - gameStart_;
    fingers_.Tap(dik::ESCAPE, now_);
    phase_ = Phase::Leaving;
  }

  int ShipX() const { return game_->state.ShipX; }

  void MoveTo(int x) {
    x = std::clamp(x, kNearWall, kFarWall);  // a push against a wall crashes the ship into it
    if (x < ShipX() - 30) fingers_.Hold(dik::LEFT);
    if (x > ShipX() + 30) fingers_.Hold(dik::RIGHT);
  }

  // Alt held, a tap of a direction fires that way; both sides fire in one
  // volley. An alien right at the ship is on neither side: the ship steps away.
  void SideLasers(bool left, bool right, int nearest) {
    if (!left && !right) {
      MoveTo(nearest < 5000 ? nearest + 200 : nearest - 200);
      return;
    }
    fingers_.Hold(dik::LMENU);
    if (left) fingers_.Tap(dik::LEFT, now_);
    if (right) fingers_.Tap(dik::RIGHT, now_);
  }
  void SideLaserAt(int x) { SideLasers(x <= ShipX() - 30, x >= ShipX() + 30, x); }

  void Fire() { fingers_.Tap(dik::LCONTROL, now_); }

  void ShieldWhenHurt(int energy) {
    const GameState& s = game_->state;
    if (energy < kLowEnergy && s.Shields > 0 && !s.ShieldActive) fingers_.Tap(dik::UP, now_);
  }

  // What the field sounds like at this moment: where the aliens are, on the
  // ground and in the air, and how soon the next silver bombs can fall.
  struct Field {
    std::optional<int> landed;  // the nearest landed alien
    bool landedLeft = false;    // landed aliens on either side, for the side lasers
    bool landedRight = false;
    std::optional<int> lowest;  // the flying alien nearest the ground
    int lowestY = -1;
    std::optional<int> bomber;  // the lowest silver alien that has not bombed yet
    int bomberY = -1;
    int swarmLeft = kFarWall;   // the span of the silver aliens still to bomb
    int swarmRight = kNearWall;
    int toBomb = 0;
    bool inReach = false;
    int flying = 0;
    int onGround = 0;
    int32_t msToBombs = kNever;
    bool missileTarget = false;  // a released alien within a missile's range
  };

  Field Survey() {
    Field f;
    for (size_t c = 0; c < game_->aliens.groups.size(); ++c) {
      const AlienGroup& group = game_->aliens.groups[c];
      const bool silver = static_cast<Colour>(c) == Colour::Silver;
      for (size_t i = 0; i < group.Count && i < group.Aliens.size(); ++i) {
        const AlienRecord& a = group.Aliens[i];
        if (silver) f.msToBombs = std::min(f.msToBombs, MsToBombs(i, a));
        f.missileTarget = f.missileTarget || (i < group.Spawned && a.Active && InMissileRange(a));
        if (a.Landed && !a.Destroyed) {
          ++f.onGround;
          if (!f.landed || std::abs(a.X - ShipX()) < std::abs(*f.landed - ShipX())) f.landed = a.X;
          f.landedLeft = f.landedLeft || a.X < ShipX();
          f.landedRight = f.landedRight || a.X > ShipX();
        } else if (a.Active && !a.Landed) {
          ++f.flying;
          if (a.Y > f.lowestY) {
            f.lowestY = a.Y;
            f.lowest = a.X;
          }
          if (silver && !a.BombRun && a.BombIndex == 0) {
            ++f.toBomb;
            f.swarmLeft = std::min<int>(f.swarmLeft, a.X);
            f.swarmRight = std::max<int>(f.swarmRight, a.X);
            if (a.Y > f.bomberY) {
              f.bomberY = a.Y;
              f.bomber = a.X;
            }
          }
          f.inReach = f.inReach || std::abs(a.X - ShipX()) <= kLaserReach;
        }
      }
    }
    return f;
  }

  // A silver alien's six bombs fall one by one once its drop whistle, started
  // past half height, has ended; a silver alien bombs once in its life. How
  // fast it comes down is heard from its voice.
  int32_t MsToBombs(size_t i, const AlienRecord& a) {
    if (a.BombIndex >= kBombCount) return kNever;
    if (a.BombsFalling) return 0;
    if (a.BombRun) return std::max(0, kDropWhistleMs - (now_ - a.BombTick));
    if (!a.Active || a.Landed) return kNever;
    if (silverSeen_.size() <= i) silverSeen_.resize(i + 1, {-1, 0});
    auto& [since, fromY] = silverSeen_[i];
    if (since < 0 || a.Y < fromY) {
      since = now_;
      fromY = a.Y;
    }
    const int32_t heardMs = now_ - since;
    if (heardMs < 100 || a.Y == fromY) return kNever;
    const double perMs = static_cast<double>(a.Y - fromY) / heardMs;
    return static_cast<int32_t>((kBombRunHeight - a.Y) / perMs) + kDropWhistleMs;
  }

  bool InMissileRange(const AlienRecord& a) const {
    const GameState& s = game_->state;
    return Distance(*game_, s.ShipX, s.ShipY, a.X, a.Y) < kMissileRange;
  }

  // How long the ship takes to fly from here to x, at its normal speed.
  int32_t MsToFly(int from, int to) const { return std::abs(from - to) * kMsPerStep / kShipStep; }

  void FightWave() {
    const GameState& s = game_->state;
    const SaucerState& saucer = game_->saucer;
    if (s.Level != surveyedLevel_ || s.Wave != surveyedWave_) {
      surveyedLevel_ = s.Level;
      surveyedWave_ = s.Wave;
      silverSeen_.clear();
      sweepRight_ = true;
    }
    if (report_.lowestEnergy == 0 || s.Energy < report_.lowestEnergy) report_.lowestEnergy = s.Energy;
    const Field f = Survey();
    UseTheArsenal(f);
    const bool exposed = ShipX() > kBombShelter;
    ShieldWhenHurt(exposed && f.msToBombs <= kShieldAheadMs ? 0 : s.Energy);
    // Bombs never fall next to the left wall: the ship is there before the
    // first one can fall, firing at what comes in reach on the way and
    // turning its side lasers on the aliens on the ground.
    if (f.msToBombs <= MsToFly(ShipX(), kBombShelter) + kShelterMarginMs) {
      if (exposed) {
        fingers_.Hold(dik::LEFT);
        if (f.inReach) Fire();
      } else if (f.landed) {
        SideLasers(f.landedLeft, f.landedRight, *f.landed);
      } else if (f.inReach) {
        Fire();
      }
      return;
    }
    // A landed alien drains the ship from afar, and the side laser reaches it
    // from anywhere: it comes first.
    if (f.landed) {
      SideLasers(f.landedLeft, f.landedRight, *f.landed);
      return;
    }
    // A crowd of silver aliens comes down together: the ship sweeps it from
    // end to end, firing all the way, far end first while there is time to
    // come back to the wall before their bombs fall.
    if (f.toBomb >= kSwarm) {
      SweepSwarm(f);
      return;
    }
    // The dive's whistle tells where the payload will come down.
    if (saucer.PayloadDown || saucer.PayloadDiving) {
      MoveTo(saucer.PayloadX);
      if (f.inReach) Fire();
      return;
    }
    // The saucer's payload may be energy: it comes first unless an alien is
    // about to land.
    if (saucer.SaucerPresent && f.lowestY < kSaucerBeforeHeight) {
      MoveTo(saucer.SaucerX);
      if (f.inReach || std::abs(saucer.SaucerX - ShipX()) <= kLaserReach) Fire();
      return;
    }
    // A silver alien bombs the field once it is low enough: it is hunted first.
    std::optional<int> target = f.bomber && f.lowestY < kLowAlien ? f.bomber : f.lowest;
    if (target) {
      MoveTo(*target);
      if (f.inReach) Fire();
      return;
    }
    if (saucer.SaucerPresent) {
      MoveTo(saucer.SaucerX);
      if (std::abs(saucer.SaucerX - ShipX()) <= kLaserReach) Fire();
    }
  }

  void SweepSwarm(const Field& f) {
    const int right = f.swarmRight - kSweepInside;
    const int left = f.swarmLeft + kSweepInside;
    const int32_t roundTrip = MsToFly(ShipX(), right) + MsToFly(right, kBombShelter) + kShelterMarginMs;
    if (sweepRight_ && (roundTrip >= f.msToBombs || ShipX() >= right - 30)) sweepRight_ = false;
    if (!sweepRight_ && ShipX() <= left + 30 && roundTrip < f.msToBombs) sweepRight_ = true;
    MoveTo(sweepRight_ ? right : left);
    if (f.inReach) Fire();
  }

  // A crowd on the ground is vaporised, a crowded field nuked, and in the
  // last levels missiles go after the aliens in the air: a missile only while
  // one is left and an alien is within its range, or the press just beeps.
  void UseTheArsenal(const Field& f) {
    const GameState& s = game_->state;
    if (f.onGround >= 3 && s.Vapors > 0 && !s.VaporPending && !vaporAsked_) {
      vaporAsked_ = true;
      vaporsWhenAsked_ = s.Vapors;
    }
    if (f.flying + f.onGround >= 8 && s.HasNukes && s.Nukes > 0 && !s.NukePending) fingers_.Tap(dik::RETURN, now_);
    const bool missileLeft = s.MissilesSpent < kMissileSlots;
    if (f.flying >= 3 && s.Level >= 6 && missileLeft && f.missileTarget) fingers_.Tap(dik::SPACE, now_);
  }

  // The vapor key asks for one charge after another for as long as it is
  // down, and beeps once none is left: it is let go on the very poll that
  // took the charge.
  bool VaporStillWanted() {
    if (!vaporAsked_ || !game_) return false;
    const GameState& s = game_->state;
    if (!s.GameActive || s.VaporPending || s.Vapors != vaporsWhenAsked_) vaporAsked_ = false;
    return vaporAsked_;
  }

  // Clones are shot, sheep are pulled in with the beam; a shot takes the
  // first object dropped within reach, so it is fired only when that is a clone.
  void PlaySheepDrop() {
    const SheepDropState& drop = game_->sheepDrop;
    const FallingObject* lowest = nullptr;
    const FallingObject* firstInReach = nullptr;
    bool sheepInReach = false;
    for (size_t i = 0; i < drop.DropCount && i < kRoundObjects; ++i) {
      const FallingObject& o = drop.objects[i];
      if (!o.Active || o.Landed) continue;
      if (!lowest || o.Y > lowest->Y) lowest = &o;
      if (std::abs(o.X - ShipX()) <= kLaserReach) {
        if (!firstInReach) firstInReach = &o;
        sheepInReach = sheepInReach || !o.IsClone;
      }
    }
    if (!lowest) return;
    MoveTo(lowest->X);
    if (firstInReach && firstInReach->IsClone) {
      Fire();
    } else if (sheepInReach && !drop.common.tractor.Active) {
      fingers_.Tap(dik::SPACE, now_);
    }
  }

  // Meteors are shot in the air; once all have fallen a press of the laser
  // ends the round.
  void PlayMeteorShower() {
    const MeteorShowerState& shower = game_->meteorShower;
    std::optional<int> lowest;
    int lowestY = -1;
    bool inReach = false;
    for (size_t i = 0; i < shower.MeteorCount && i < kRoundObjects; ++i) {
      const Meteor& m = shower.meteors[i];
      if (!m.Active || m.Landed) continue;
      if (m.Y > lowestY) {
        lowestY = m.Y;
        lowest = m.X;
      }
      inReach = inReach || std::abs(m.X - ShipX()) <= 240;
    }
    if (lowest) MoveTo(*lowest);
    if (inReach || shower.MeteorCount >= kRoundObjects) Fire();
  }

  // Under the mothership but clear of its beams; a rolling roller is turned
  // back with the side lasers.
  void FightBoss() {
    const BossState& boss = game_->boss;
    ShieldWhenHurt(game_->state.Energy);
    if (boss.Rolling) {
      SideLaserAt(boss.RollerX);
      return;
    }
    const int spot = boss.BossX - kBossStandOff >= 150 ? boss.BossX - kBossStandOff : boss.BossX + kBossStandOff;
    MoveTo(spot);
    if (std::abs(boss.BossX - ShipX()) < 850) Fire();
  }

  const BotOptions& options_;
  BotReport& report_;
  Game* game_ = nullptr;
  Fingers fingers_;
  Phase phase_ = Phase::MainMenu;
  int32_t now_ = 0;
  std::string lastPrompt_;
  std::string settledPrompt_;
  int32_t quietSince_ = 0;
  bool streaming_ = false;
  std::string expecting_;
  int announcedLevel_ = 0;
  uint8_t chosen_ = 1;
  int32_t gameStart_ = 0;
  int surveyedLevel_ = 0;
  int surveyedWave_ = 0;
  std::vector<std::pair<int32_t, int>> silverSeen_;  // when each silver alien was first heard, and how high
  bool sweepRight_ = true;
  bool vaporAsked_ = false;
  uint8_t vaporsWhenAsked_ = 0;
};

// The simulated host with the bot's hands on its keyboard.
class BotHost : public SimHost {
 public:
  BotHost(SimOptions options, std::ostream* out, Bot& bot) : SimHost(std::move(options), out), bot_(bot) {}

  KeyboardRead ReadKeyboard(KeyboardState& state) override {
    const KeyboardRead read = SimHost::ReadKeyboard(state);
    if (Ticks() != decidedAt_) {
      decidedAt_ = Ticks();
      bot_.Decide(*this);
    }
    bot_.Press(state);
    return read;
  }

 private:
  Bot& bot_;
  int32_t decidedAt_ = -1;
};

}  // namespace

BotReport PlayWholeGame(const BotOptions& options) {
  BotReport report;
  Bot bot(options, report);
  SimOptions sim;
  sim.seed = options.seed;
  sim.untilMs = options.untilMs;
  sim.soundTree = options.programDir;
  BotHost host(sim, options.log, bot);
  host.ShowMainWindow(MainCaption());
  try {
    Game game(host);
    bot.Watch(&game);
    try {
      try {
        Initialize(game);
      } catch (const std::exception& e) {
        HandleRunTimeError(game, e);
      }
      ExitGame(game);
    } catch (const ProgramEnd&) {
      report.exited = true;
    }
    bot.Watch(nullptr);
  } catch (const SimulationEnd&) {
  }
  report.endMs = host.Ticks();
  return report;
}

}  // namespace sb::test
