// world/Energy.cpp — the ship's energy and the bar that shows it.
//
// The bar does not jump: the value it shows walks one step per frame towards
// the real energy, so it fills up at the start of a game and drains visibly
// after a hit.

#include "world/Energy.h"

#include "state/GameState.h"
#include "state/Stage.h"

namespace skyrend {

void UpdateEnergyShown(GameState& g) {
    EnergyState& e = g.energy;
    if (e.EnergyShown < e.Energy) ++e.EnergyShown;
    if (e.EnergyShown > e.Energy) --e.EnergyShown;
}

// One picture per value shown, 0..100.
void DrawEnergyBar(const GameState& g, const Stage& stage) {
    stage.Energy->Items.GetItem(g.energy.EnergyShown).Draw(stage.Surface(), g.config.ScreenWidth - 600, 20, 0);
}

// A hit larger than what is left empties the energy; nothing goes below 0.
void DamageShip(GameState& g, int32_t amount) {
    int32_t& energy = g.energy.Energy;
    if (amount > energy) {
        energy = 0;
        return;
    }
    if (energy > 0) energy -= amount;
}

// A bonus object strictly within 25 units of the ship on both axes gives 10;
// it stays and can be used again.
void RechargeFromBonus(GameState& g, int32_t bx, int32_t by) {
    // Edges in extended precision, as the hit boxes of the shots.
    const long double cx = g.world.CameraX;
    const long double cy = g.world.CameraY;
    int32_t& energy = g.energy.Energy;
    if (cx - 25 < bx && bx < cx + 25 && cy - 25 < by && by < cy + 25) energy += 10;
    if (energy > 100) energy = 100;
}

}  // namespace skyrend
