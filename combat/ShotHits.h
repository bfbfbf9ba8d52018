// combat/ShotHits.h — the enemy ships a shot passes close to.
//
// A shot hits every ship whose centre lies strictly within HitReach of it on
// both axes, in list order, except the ship at the position it spares; each
// ship hit is destroyed at once, so the next ship moves into its position and
// is tested next. With a big fleet and many shots, testing every ship for
// every shot is too slow for a frame: the scan then sorts the ships into a
// grid once and visits only the ships of the cells around each shot, in the
// same order and with the same test, so the outcome is the same. Closing
// the gap after every destroyed ship of a big fleet is slow too: the grid's
// scans leave the destroyed ships in the list, out of every later test, and
// close all gaps in one pass when they are done (or fail).

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;

constexpr double HitReach = 25.0;

// The strict box test of shots against ships, and of enemy shots against the
// player.
// The box's edges are formed in extended precision, like the rest of the
// world arithmetic, so that no edge is rounded before it is compared.
inline bool WithinHitBox(double centreX, double centreY, double shotX, double shotY) {
    const long double cx = centreX, cy = centreY, reach = HitReach;
    return cx - reach < shotX && shotX < cx + reach && cy - reach < shotY && shotY < cy + reach;
}

// The hit scans of one shot list in one frame. Ships must not move between
// the scans; the only change to the fleet meanwhile is the destruction the
// scans themselves cause.
class ShipHitScan {
public:
    ShipHitScan(GameState& g, const Stage& stage, int32_t shotCount);
    ~ShipHitScan();
    ShipHitScan(const ShipHitScan&) = delete;
    ShipHitScan& operator=(const ShipHitScan&) = delete;

    // Tests a shot at (x, y) against the fleet, sparing list position
    // `spared`; for each ship hit, sets `life` to 1 and destroys the ship.
    void Scan(double x, double y, int32_t spared, int32_t& life);

    // Whether these scans use the grid (the choice depends on the sizes).
    bool Indexed() const { return indexed_; }

private:
    GameState& g_;
    const Stage& stage_;
    bool indexed_ = false;

    void ScanEveryShip(double x, double y, int32_t spared, int32_t& life);
    void ScanGrid(double x, double y, int32_t spared, int32_t& life);
};

// When the grid is used: at least `minShots` shots and at least
// `minShotsTimesShips` shot-ship pairs. The defaults suit a frame; tests set
// other values to compare both ways.
struct ShipGridThreshold {
    int32_t minShots = 8;
    int64_t minShotsTimesShips = 32768;
};
void SetShipGridThreshold(ShipGridThreshold threshold);

}  // namespace skyrend
