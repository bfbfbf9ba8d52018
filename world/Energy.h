// world/Energy.h — the ship's energy, its bar, damage and recharge.

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;

// The bar's walk towards the energy, one step a frame.
void UpdateEnergyShown(GameState& g);
void DrawEnergyBar(const GameState& g, const Stage& stage);
void DamageShip(GameState& g, int32_t amount);
// The recharge for one bonus object at (bx, by), near the ship.
void RechargeFromBonus(GameState& g, int32_t bx, int32_t by);

}  // namespace skyrend
