#pragma once
// The meteor shower: thirty meteors fall at random places, one after
// another; the player shoots them before they land, and keeps away from the
// craters that burn where they did. MeteorShowerRound (rounds.h) runs
// it; the routines of its pass are here.

namespace sb {

struct Game;

// Loads the round's sounds, empties its records and takes the ship's energy
// as the round's own.
void SetUpMeteorShower(Game& game);
void MeteorControls(Game& game);
// Every more than 1500 ms, now and then, until thirty have fallen.
void DropMeteor(Game& game);
// One record's step per pass, round and round: falling, impact, fire, burn-out.
void UpdateMeteor(Game& game);
void RepanMeteors(Game& game);
void DropMeteorMonkey(Game& game);
void UpdateMeteorMonkey(Game& game);
// A ship beside a burning crater is hurt once per sounding of the alert.
void MeteorStrike(Game& game);
// A laser press: the first meteor within reach; with all thirty resolved the round ends.
void FireInMeteorShower(Game& game);
void ShootMeteor(Game& game);
// Off: switches the beam on. On: catches the monkey (meteors cannot be caught).
void MeteorTractorBeam(Game& game);
// Ends the round and pays the meteors shot.
void TallyMeteorShower(Game& game);
// Every sound of the round released (once: the round keeps a loaded flag).
void ReleaseMeteorShower(Game& game);

}  // namespace sb
