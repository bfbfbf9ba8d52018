// world/Stars.cpp — the two parallax star layers and the bonus objects:
// their generation at each new game and their animated drawing every frame.
//
// No two stars of a layer may share a position. A new star is compared with
// every other entry of its layer, including the entries it has not reached
// yet, which still hold the previous game's stars (zeros at program start).
// A table of position counts over those entries makes each comparison one
// lookup instead of a scan of the whole layer.

#include "world/Stars.h"

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"

namespace skyrend {

namespace {

// A multiset of star positions: open addressing over packed (x, y) keys.
// A slot keeps its key once used (with a count that may fall to 0), so a
// probe sequence never breaks.
class PositionCounts {
public:
    explicit PositionCounts(int32_t entries) {
        size_t capacity = 16;
        shift_ = 60;
        // At most two keys per entry are ever stored: its old and its new
        // position. Keep the table at most half full.
        while (capacity < static_cast<size_t>(entries) * 4) {
            capacity *= 2;
            --shift_;
        }
        mask_ = capacity - 1;
        keys_.resize(capacity);
        counts_.assign(capacity, Empty);
    }

    void Add(int32_t x, int32_t y) {
        size_t slot = Find(Key(x, y));
        if (counts_[slot] == Empty) {
            keys_[slot] = Key(x, y);
            counts_[slot] = 0;
        }
        ++counts_[slot];
    }
    void Remove(int32_t x, int32_t y) {
        size_t slot = Find(Key(x, y));
        if (counts_[slot] > 0) --counts_[slot];
    }
    bool Contains(int32_t x, int32_t y) const { return counts_[Find(Key(x, y))] > 0; }

private:
    static constexpr int32_t Empty = -1;
    static uint64_t Key(int32_t x, int32_t y) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    }
    // The slot holding the key, or the empty slot where it would go.
    size_t Find(uint64_t key) const {
        size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
        while (counts_[slot] != Empty && keys_[slot] != key) slot = (slot + 1) & mask_;
        return slot;
    }

    size_t mask_ = 0;
    int shift_ = 0;
    std::vector<uint64_t> keys_;
    std::vector<int32_t> counts_;
};

// Shifted stars are not wrapped; the sum wraps like the stored 32 bits.
int32_t Shifted(int32_t v, int32_t shift) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(shift));
}

// Draws the stars of one layer that its camera sees, advancing the picture
// of each of them on the frames the layer animates.
void DrawStarLayer(const GameState& g, const Stage& stage, StarLayer& layer, double camX, double camY,
                   bool advance, int32_t wrapAt, int32_t restart) {
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation rotation = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    for (int32_t i = 1; i <= StarsPerLayer; ++i) {
        if (!view.Contains(layer.X[i], layer.Y[i])) continue;
        if (advance && ++layer.Item[i] == wrapAt) layer.Item[i] = restart;
        const ScreenPoint p = WorldToScreen(g, rotation, layer.X[i], layer.Y[i], camX, camY);
        stage.Stars1->Items.GetItem(layer.Item[i])
            .Draw(surface, static_cast<int32_t>(p.x) - 15, static_cast<int32_t>(p.y), 0);
    }
}

}  // namespace

void GenerateStarLayer(StarLayer& layer, int32_t count, RandomGenerator& rng, int32_t worldSize,
                       int32_t itemCount, int32_t firstItem, int32_t shift) {
    count = std::clamp(count, 0, ListCapacity);
    PositionCounts taken(count);
    for (int32_t j = 1; j <= count; ++j) taken.Add(layer.X[j], layer.Y[j]);

    for (int32_t i = 1; i <= count; ++i) {
        taken.Remove(layer.X[i], layer.Y[i]);
        int32_t x = rng.Random(worldSize);
        int32_t y = rng.Random(worldSize);
        layer.Item[i] = rng.Random(itemCount) + firstItem;
        // The star moves along its diagonal to the first position no other
        // entry holds, as a repeated scan of the layer would move it.
        while (taken.Contains(x, y)) {
            x = Shifted(x, shift);
            y = Shifted(y, shift);
        }
        layer.X[i] = x;
        layer.Y[i] = y;
        taken.Add(x, y);
    }
}

void GenerateStarField(GameState& g) {
    WorldState& w = g.world;
    w.WorldSize = 20000;
    const double centre = static_cast<double>(Nearest(static_cast<long double>(w.WorldSize) / 2));
    w.CameraX = centre;
    w.CameraY = centre;
    w.FarCameraX = centre;
    w.FarCameraY = centre;
    GenerateStarLayer(g.stars.NearStars, StarsPerLayer, w.Rng, w.WorldSize, 12, 1, 3);
    GenerateStarLayer(g.stars.FarStars, StarsPerLayer, w.Rng, w.WorldSize, 8, 13, 13);
}

void GenerateStars(GameState& g) {
    g.world.Rng.Randomize(platform::Current().UtcMillisecondOfDay());
    GenerateStarField(g);
}

void GenerateBonusObjects(GameState& g) {
    RandomGenerator& rng = g.world.Rng;
    for (int32_t i = 1; i <= BonusObjectCount; ++i) {
        g.bonus.X[i] = rng.Random(g.world.WorldSize);
        g.bonus.Y[i] = rng.Random(g.world.WorldSize);
        g.bonus.Frame[i] = rng.Random(39);
    }
}

// Clears the surface, then draws the far layer under the near one. Near
// stars in view advance every second frame, far stars every fourth.
void DrawStars(GameState& g, const Stage& stage) {
    if (TDirectDrawSurface* surface = stage.Surface()) surface->Fill(0);

    DrawStarLayer(g, stage, g.stars.FarStars, g.world.FarCameraX, g.world.FarCameraY, g.ticks.FarStarTick == 4, 22, 13);
    if (g.ticks.FarStarTick == 4) g.ticks.FarStarTick = 0;

    DrawStarLayer(g, stage, g.stars.NearStars, g.world.CameraX, g.world.CameraY, g.ticks.NearStarTick == 2, 13, 0);
    if (g.ticks.NearStarTick == 2) g.ticks.NearStarTick = 0;
}

// A bonus object in view shows its next picture every frame.
void DrawBonusObjects(GameState& g, const Stage& stage) {
    const ViewWindow view = MakeViewWindow(g, g.world.CameraX, g.world.CameraY);
    const ViewRotation rotation = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    BonusObjects& b = g.bonus;
    for (int32_t i = 1; i <= BonusObjectCount; ++i) {
        if (!view.Contains(b.X[i], b.Y[i])) continue;
        if (++b.Frame[i] == 39) b.Frame[i] = 0;
        const ScreenPoint p = WorldToScreen(g, rotation, b.X[i], b.Y[i], g.world.CameraX, g.world.CameraY);
        stage.Bonus->Items.GetItem(b.Frame[i])
            .Draw(surface, static_cast<int32_t>(p.x) - 25, static_cast<int32_t>(p.y) - 25, 0);
    }
}

}  // namespace skyrend
