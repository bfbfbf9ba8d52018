// combat/ShotList.h — one list of plasma shots, the player's or the
// enemies': the same launch, flight, sprite, animation and hit scan for
// both, with their differences as data.

#pragma once

#include <cstdint>

#include "state/EntityList.h"
#include "state/GameState.h"

namespace skyrend {

struct Stage;
class TDXImageList;

// The fields of a shot list. The enemies' shots also carry the list
// position they spare and the damage they do to the player; the player's
// spare no ship and pass the player by.
struct ShotList {
    int32_t& count;
    Column<double>& x;
    Column<double>& y;
    Column<int32_t>& life;
    Column<double>& speed;
    Column<long double>& heading;
    Column<int32_t>& frame;
    Column<int32_t>* owner = nullptr;
    Column<int32_t>* damage = nullptr;
};

ShotList PlayerShotList(PlayerShots& s);
ShotList EnemyShotList(EnemyShots& s);

// Appends a shot leaving (x, y) along `heading`, 10 units per frame faster
// than twice the firer's speed, already one step on; returns its position,
// or 0 when the list is full.
int32_t LaunchShot(const ShotList& shots, double x, double y, long double heading, double firerSpeed,
                   int32_t lifetime);

// Draws the shots in view with their nine pictures, advancing each shown
// shot's picture when `tick` is 1 and then resetting it.
void DrawShotList(const GameState& g, const Stage& stage, TDXImageList& pictures, const ShotList& shots,
                  int32_t& tick);

// Every shot steps on and ages; then, in list order, an expired shot leaves
// the list and a live one is tested against the fleet and, when it carries
// damage, against the player.
void MoveShotList(GameState& g, const Stage& stage, const ShotList& shots);

}  // namespace skyrend
