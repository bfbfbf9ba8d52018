// world/Ship.h — the player's ship: flight controls, motion, banking sprite.

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;

void TurnLeft(GameState& g);
void TurnRight(GameState& g);
void ThrustForward(GameState& g);
void ThrustBackward(GameState& g);
void MoveShipAndCamera(GameState& g);
void DrawShip(const GameState& g, const Stage& stage);

// The picture of the ship for a turn speed: 20 in level flight, lower
// banking left, higher banking right, one step per 0.05 of turn speed.
int32_t ShipSpriteItem(long double turnSpeed);

}  // namespace skyrend
