// combat/ShotHits.cpp — the hit scans of shots against the enemy fleet.
//
// The grid holds the ships' positions in the list as they stood when the
// scans began ("original" positions), and the list keeps that layout until
// the scans end. A ship destroyed since then is left out, and the position a
// ship has in the game's eyes is its original one less the number of ships
// destroyed before it, because destruction only ever moves later ships down.
// Visiting a shot's candidates in original order is therefore visiting them
// in list order, as the plain scan does.

#include "combat/ShotHits.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "combat/Explosions.h"
#include "state/GameState.h"

namespace skyrend {

namespace {

ShipGridThreshold threshold;

// Cells are at least this wide, so that the cells around a shot are few; the
// grid has at most GridSide cells along each axis.
constexpr double MinCellSize = 64.0;
constexpr int32_t GridSide = 512;
// Reaches past HitReach, so that rounding in the cell arithmetic cannot
// leave out a ship the box test would hit.
constexpr double CellMargin = HitReach + 8.0;

// Scratch storage, kept between frames so that scans allocate nothing once
// it has grown to the fleet.
struct ShipGrid {
    double minX = 0, minY = 0, inverseCell = 0;
    int32_t cellsX = 0, cellsY = 0;
    std::vector<int32_t> cellStart;   // first entry of each cell in `ships`, one past the end last
    std::vector<int32_t> cellOfShip;  // by original position
    std::vector<int32_t> ships;       // original positions, cell by cell, ascending within a cell
    std::vector<int32_t> destroyed;   // original positions, ascending
    std::vector<int32_t> candidates;

    void Build(const EnemyShips& e);
    int32_t CellIndex(double v, double min, int32_t cells) const {
        const double c = (v - min) * inverseCell;
        if (!(c > 0)) return 0;
        if (c >= cells - 1) return cells - 1;
        return static_cast<int32_t>(c);
    }
    // The candidates of a shot at (x, y), in original order.
    void Gather(double x, double y);
    bool Destroyed(int32_t original) const {
        return std::binary_search(destroyed.begin(), destroyed.end(), original);
    }
    int32_t CurrentPosition(int32_t original) const {
        return original - static_cast<int32_t>(std::lower_bound(destroyed.begin(), destroyed.end(), original) -
                                               destroyed.begin());
    }
    void NoteDestroyed(int32_t original) {
        destroyed.insert(std::lower_bound(destroyed.begin(), destroyed.end(), original), original);
    }
};

ShipGrid grid;

void ShipGrid::Build(const EnemyShips& e) {
    const int32_t count = e.EnemyShipCount;
    double maxX = e.EnemyX[1], maxY = e.EnemyY[1];
    minX = maxX;
    minY = maxY;
    for (int32_t i = 2; i <= count; ++i) {
        minX = std::min(minX, e.EnemyX[i]);
        maxX = std::max(maxX, e.EnemyX[i]);
        minY = std::min(minY, e.EnemyY[i]);
        maxY = std::max(maxY, e.EnemyY[i]);
    }
    const double span = std::max(maxX - minX, maxY - minY);
    const double cell = std::max(MinCellSize, span / (GridSide - 1));
    inverseCell = 1.0 / cell;
    cellsX = std::min(GridSide, static_cast<int32_t>((maxX - minX) * inverseCell) + 1);
    cellsY = std::min(GridSide, static_cast<int32_t>((maxY - minY) * inverseCell) + 1);

    const size_t cells = static_cast<size_t>(cellsX) * static_cast<size_t>(cellsY);
    cellStart.assign(cells + 1, 0);
    cellOfShip.resize(static_cast<size_t>(ListCapacity) + 1);
    ships.resize(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        const int32_t c = CellIndex(e.EnemyX[i], minX, cellsX) + CellIndex(e.EnemyY[i], minY, cellsY) * cellsX;
        cellOfShip[static_cast<size_t>(i)] = c;
        ++cellStart[static_cast<size_t>(c) + 1];
    }
    for (size_t c = 0; c < cells; ++c) cellStart[c + 1] += cellStart[c];
    // Filling in ascending order keeps every cell sorted; the counts are
    // turned back into starts as the cells fill.
    for (int32_t i = 1; i <= count; ++i) ships[static_cast<size_t>(cellStart[cellOfShip[i]]++)] = i;
    for (size_t c = cells; c > 0; --c) cellStart[c] = cellStart[c - 1];
    cellStart[0] = 0;

    destroyed.clear();
    destroyed.reserve(static_cast<size_t>(count));
    candidates.reserve(static_cast<size_t>(count));
}

void ShipGrid::Gather(double x, double y) {
    candidates.clear();
    const double loX = (x - CellMargin - minX) * inverseCell, hiX = (x + CellMargin - minX) * inverseCell;
    const double loY = (y - CellMargin - minY) * inverseCell, hiY = (y + CellMargin - minY) * inverseCell;
    // Shots beyond the grid on either side have no ship near them.
    if (!(hiX >= 0 && loX < cellsX && hiY >= 0 && loY < cellsY)) return;
    const int32_t x0 = CellIndex(x - CellMargin, minX, cellsX), x1 = CellIndex(x + CellMargin, minX, cellsX);
    const int32_t y0 = CellIndex(y - CellMargin, minY, cellsY), y1 = CellIndex(y + CellMargin, minY, cellsY);
    for (int32_t cy = y0; cy <= y1; ++cy)
        for (int32_t cx = x0; cx <= x1; ++cx) {
            const size_t c = static_cast<size_t>(cx) + static_cast<size_t>(cy) * static_cast<size_t>(cellsX);
            for (int32_t k = cellStart[c]; k < cellStart[c + 1]; ++k) {
                const int32_t original = ships[static_cast<size_t>(k)];
                if (!Destroyed(original)) candidates.push_back(original);
            }
        }
    std::sort(candidates.begin(), candidates.end());
}

}  // namespace

void SetShipGridThreshold(ShipGridThreshold value) { threshold = value; }

ShipHitScan::ShipHitScan(GameState& g, const Stage& stage, int32_t shotCount) : g_(g), stage_(stage) {
    const int32_t ships = g.enemies.EnemyShipCount;
    indexed_ = ships > 0 && shotCount >= threshold.minShots &&
               static_cast<int64_t>(shotCount) * ships >= threshold.minShotsTimesShips;
    if (indexed_) grid.Build(g.enemies);
}

ShipHitScan::~ShipHitScan() {
    if (indexed_) RemoveEnemyShips(g_.enemies, grid.destroyed);
}

void ShipHitScan::Scan(double x, double y, int32_t spared, int32_t& life) {
    if (indexed_)
        ScanGrid(x, y, spared, life);
    else
        ScanEveryShip(x, y, spared, life);
}

void ShipHitScan::ScanEveryShip(double x, double y, int32_t spared, int32_t& life) {
    const EnemyShips& e = g_.enemies;
    int32_t j = 1;
    while (j <= e.EnemyShipCount) {
        if (j != spared && WithinHitBox(e.EnemyX[j], e.EnemyY[j], x, y)) {
            life = 1;
            DestroyEnemyShip(g_, stage_, j);  // the next ship moves into position j
        } else {
            ++j;
        }
    }
}

void ShipHitScan::ScanGrid(double x, double y, int32_t spared, int32_t& life) {
    const EnemyShips& e = g_.enemies;
    grid.Gather(x, y);
    for (int32_t original : grid.candidates) {
        const int32_t j = grid.CurrentPosition(original);
        if (j == spared || !WithinHitBox(e.EnemyX[original], e.EnemyY[original], x, y)) continue;
        life = 1;
        ExplodeEnemyShip(g_, stage_, j, e.EnemyX[original], e.EnemyY[original]);
        grid.NoteDestroyed(original);
    }
}

}  // namespace skyrend
