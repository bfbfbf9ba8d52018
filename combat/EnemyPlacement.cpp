// combat/EnemyPlacement.cpp — scattering a new game's fleet over the world.
//
// Every ship gets a random point; a ship whose point another list position
// already holds is moved on by (63, 63) until its point is free. The other
// positions include those after it, which still hold the previous game's
// ships (zeros at program start). A ship lands on the first point of its
// (63, 63) chain that no other position holds, so a multiset of the held
// points answers the question in constant time per step, where comparing
// with every other position would cost time proportional to the fleet.

#include <algorithm>
#include <bit>
#include <vector>

#include "combat/Enemies.h"
#include "state/GameState.h"

namespace skyrend {

namespace {

constexpr double OverlapShift = 63.0;

// A multiset of points, compared as doubles are compared: -0 and +0 are one
// point, and a point with a NaN coordinate equals nothing.
class PointMultiset {
public:
    // Room for `expected` points at most; the table is kept at most four
    // fifths full, which keeps a probe short and the table small (a fleet of
    // 100000 ships takes 6 MB).
    explicit PointMultiset(size_t expected) {
        size_t size = 16;
        while (size < expected + expected / 4) size *= 2;
        slots_.resize(size);
        mask_ = size - 1;
    }

    void Add(double x, double y) {
        if (x != x || y != y) return;
        ++Find(Bits(x), Bits(y)).count;
    }
    void Remove(double x, double y) {
        if (x != x || y != y) return;
        Slot& slot = Find(Bits(x), Bits(y));
        if (slot.count > 0) --slot.count;
    }
    bool Contains(double x, double y) {
        if (x != x || y != y) return false;
        return Find(Bits(x), Bits(y)).count > 0;
    }

private:
    struct Slot {
        uint64_t x = 0, y = 0;
        int32_t count = 0;
        bool used = false;
    };
    std::vector<Slot> slots_;
    size_t mask_ = 0;

    static uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v + 0.0); }

    // The slot of a point, claimed if the point is new. Slots are never
    // released (a count of 0 means absent), and the table holds at most
    // twice the fleet, so a free slot is always found.
    Slot& Find(uint64_t x, uint64_t y) {
        // Whole-number coordinates leave the low bits of their patterns
        // zero, so the bits are mixed throughout before the slot is taken.
        uint64_t h = x ^ (y * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull);
        h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
        h ^= h >> 31;
        for (size_t i = static_cast<size_t>(h) & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (!slot.used) {
                slot.used = true;
                slot.x = x;
                slot.y = y;
                return slot;
            }
            if (slot.x == x && slot.y == y) return slot;
        }
    }
};

}  // namespace

void PlaceEnemyShips(GameState& g) {
    EnemyShips& e = g.enemies;
    // A fleet larger than the list's storage is cut to the storage.
    const int32_t count = std::min(g.config.EnemyCount, ListCapacity);
    if (count <= 0) return;

    // Every position the overlap test looks at: the placed ships before i,
    // the stale ones from i on. The stale point of i leaves as i is drawn.
    PointMultiset held(2 * static_cast<size_t>(count) + 2);
    for (int32_t j = 1; j <= count; ++j) held.Add(e.EnemyX[j], e.EnemyY[j]);

    RandomGenerator& rng = g.world.Rng;
    for (int32_t i = 1; i <= count; ++i) {
        e.EnemyShipCount = i;
        e.EnemyVariant[i] = rng.Random(2);
        e.EnemyHeading[i] = rng.Random(319);
        double x = rng.Random(g.world.WorldSize);
        double y = rng.Random(g.world.WorldSize);
        held.Remove(e.EnemyX[i], e.EnemyY[i]);
        while (held.Contains(x, y)) {
            x += OverlapShift;
            y += OverlapShift;
        }
        e.EnemyX[i] = x;
        e.EnemyY[i] = y;
        held.Add(x, y);
        SetEnemyStartValues(e, i);
    }
}

void SetEnemyStartValues(EnemyShips& e, int32_t i) {
    e.EnemyMaxSpeed[i] = 12;
    e.EnemySpeedStep[i] = 0.08;
    e.EnemySpeed[i] = 1.0;
    e.EnemyMaxTurnSpeed[i] = 6;
    e.EnemyMinTurnSpeed[i] = -2;
    e.EnemyTurnSpeed[i] = 0.1L;
    e.EnemyTurnStep[i] = 0.04;
}

}  // namespace skyrend
