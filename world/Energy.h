// world/Energy.h — the ship's energy, its bar, damage and recharge.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;
struct GameState;

void UpdateEnergyShown(TSkyrendMain& m);
void DrawEnergyBar(TSkyrendMain& m);
void DamageShip(GameState& g, int32_t amount);
// The recharge for one bonus object at (bx, by), near the ship.
void RechargeFromBonus(GameState& g, int32_t bx, int32_t by);

// The bar's walk towards the energy, on the game state alone.
void UpdateEnergyShown(GameState& g);

}  // namespace skyrend
