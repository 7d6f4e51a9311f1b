#pragma once
// The player's keys in every scene (a wave, the special rounds, the boss):
// one routine, fed what the scene allows.

#include <cstdint>

namespace sb {

struct Game;

// What differs between the scenes' controls; every other key works the same
// everywhere: locate, score, energy, level and wave, and high-score reports,
// the pause key, the shield and the laser.
struct SceneControls {
  void (*fire)(Game&) = nullptr;        // a pass with the laser or side-laser action held
  void (*pause)(Game&) = nullptr;       // the pause key, or the window losing the focus
  void (*tractor)(Game&) = nullptr;     // the tractor key; the scene has no beam when null
  const uint8_t* energy = nullptr;      // what the energy report speaks; the ship's energy when null
  bool stockWeapons = false;            // missiles, nukes and vapor
  bool backgroundKeys = false;          // F1 to F6 change the background
  bool saveKey = false;                 // Q saves the game and leaves it
  bool reportsAfterWeapons = false;     // pause, level and wave, and high score come after the
                                        // weapons (a wave), not before the shield (the rounds)
};

// One pass of a scene's keys. The shield is lowered once its sound has ended;
// a shot that ends the scene (a wave's last kill included) ends the pass's
// keys with it. A window that is not focused pauses the scene as P does.
void PlayerControls(Game& game, const SceneControls& scene);
// A wave's keys: every weapon, the background keys and Q.
void HandlePlayerControls(Game& game);
// The Down arrow or the stick pushed down: one ping from where the ship is,
// never restarted while it still sounds.
void LocateShip(Game& game);
// The pause key of a wave: the game pauses, and the P that resumes it is no new press.
void PauseWave(Game& game);

}  // namespace sb
