// combat/Enemies.h — the enemy fleet: placement and the per-frame update.

#pragma once

#include <cstdint>

namespace skyrend {

struct EnemyShips;
struct GameState;
struct Stage;

// The fleet of a new game, drawn from the game's generator.
void PlaceEnemyShips(GameState& g);
// The speeds, limits and steps every placed ship starts with.
void SetEnemyStartValues(EnemyShips& e, int32_t i);
void UpdateEnemyShips(GameState& g, const Stage& stage);

// The three passes of UpdateEnemyShips, in their order.
// Turn towards the player, fire, speed up or slow down.
void SteerEnemyShips(GameState& g, const Stage& stage);
// Every ship moves; speeds and turn speeds decay.
void MoveEnemyShips(GameState& g);
// Returns the number of ships in view.
int32_t DrawEnemyShips(const GameState& g, const Stage& stage);
// "Anzahl der Schiffe: " and that number, under the status line.
void WriteShipCount(const Stage& stage, int32_t inView);

// The direction from a ship at offset (dx, dy) from the player towards the
// player, in degrees (-90..270). False for a ship on the player's position,
// which has no bearing.
bool EnemyBearing(double dx, double dy, long double& bearing);

// The draw angle of a ship in 1/256 turns, rounded after the product is
// stored as a double.
float EnemyDrawAngle(long double heading, long double shipHeading);

// The picture item of a ship turning at turnSpeed (variant 1: 41 further on).
int32_t EnemySpriteItem(long double turnSpeed, int32_t variant);

}  // namespace skyrend
