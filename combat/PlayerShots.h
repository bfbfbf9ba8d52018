// combat/PlayerShots.h — the player's plasma shots.

#pragma once

namespace skyrend {

class TSkyrendMain;

void FirePlayerShot(TSkyrendMain& m);
void DrawPlayerShots(TSkyrendMain& m);
void MovePlayerShots(TSkyrendMain& m);

}  // namespace skyrend
