// combat/PlayerShots.h — the player's plasma shots.

#pragma once

namespace skyrend {

struct GameState;
struct Stage;

void FirePlayerShot(GameState& g, const Stage& stage);
void DrawPlayerShots(GameState& g, const Stage& stage);
void MovePlayerShots(GameState& g, const Stage& stage);

}  // namespace skyrend
