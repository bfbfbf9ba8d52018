// world/Ship.h — the player's ship: flight controls, motion, banking sprite.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;
struct GameState;

void TurnLeft(TSkyrendMain& m);
void TurnRight(TSkyrendMain& m);
void ThrustForward(TSkyrendMain& m);
void ThrustBackward(TSkyrendMain& m);
void MoveShipAndCamera(TSkyrendMain& m);
void DrawShip(TSkyrendMain& m);

// The same controls and motion on the game state alone.
void TurnLeft(GameState& g);
void TurnRight(GameState& g);
void ThrustForward(GameState& g);
void ThrustBackward(GameState& g);
void MoveShipAndCamera(GameState& g);

// The picture of the ship for a turn speed: 20 in level flight, lower
// banking left, higher banking right, one step per 0.05 of turn speed.
int32_t ShipSpriteItem(long double turnSpeed);

}  // namespace skyrend
