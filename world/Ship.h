// world/Ship.h — the player's ship: flight controls, motion, banking sprite.

#pragma once

namespace skyrend {

class TSkyrendMain;

void TurnLeft(TSkyrendMain& m);
void TurnRight(TSkyrendMain& m);
void ThrustForward(TSkyrendMain& m);
void ThrustBackward(TSkyrendMain& m);
void MoveShipAndCamera(TSkyrendMain& m);
void DrawShip(TSkyrendMain& m);

}  // namespace skyrend
