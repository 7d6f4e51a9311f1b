#pragma once
// The sheep drop: a cargo ship flies back and forth and drops sheep (to be
// caught with the tractor beam), clones (to be shot) and now and then a
// monkey. SheepDropRound (rounds.h) runs it; the routines of its pass
// are here.

namespace sb {

struct Game;

// Loads the round's sounds, empties its records and starts the cargo ship.
void SetUpSheepDrop(Game& game);
void MoveCargoShip(Game& game);
void SheepDropControls(Game& game);
// Once the cargo ship has passed mid-field: now and then a sheep or a clone
// falls from where it is; the pass after the thirtieth drop ends the round.
void DropSheepOrClone(Game& game);
// One record's falling step per pass, round and round.
void UpdateFallingObject(Game& game);
void RepanFallingObjects(Game& game);
// A laser press: the first object within reach, and the cargo ship overhead.
void FireInSheepDrop(Game& game);
void ShootFallingObject(Game& game);
void ShootCargoShip(Game& game);
// Off: switches the beam on. On: catches every object within reach, and the monkey.
void TractorBeam(Game& game);
// Ends the round and pays clones shot and sheep saved.
void TallySheepDrop(Game& game);
// Every sound of the round released (once: the round keeps a loaded flag).
void ReleaseSheepDrop(Game& game);

}  // namespace sb
