// tests/world/StarGenerationTest.cpp — the star layers and bonus objects of a
// new game: positions free of collisions exactly as the full scan of the
// layer places them, including over the previous game's stale stars.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/world/LiteralStarScan.h"
#include "tests/world/WorldFixture.h"
#include "world/Stars.h"

namespace skyrend {
namespace {

using testing::LiteralStarLayer;

void ExpectSameStars(const StarLayer& a, const StarLayer& b, int32_t count, const char* what) {
    int32_t mismatches = 0;
    for (int32_t i = 1; i <= count && mismatches < 5; ++i)
        if (a.X[i] != b.X[i] || a.Y[i] != b.Y[i] || a.Item[i] != b.Item[i]) {
            ++mismatches;
            ADD_FAILURE() << what << " star " << i << ": (" << a.X[i] << ", " << a.Y[i] << ", " << a.Item[i]
                          << ") vs (" << b.X[i] << ", " << b.Y[i] << ", " << b.Item[i] << ")";
        }
}

// Runs the fast and the literal generation from the same layer contents and
// the same seed and compares every star.
void CompareLayer(StarLayer& fast, int32_t count, uint32_t seed, int32_t worldSize, int32_t shift) {
    StarLayer literal = fast;
    RandomGenerator a{seed}, b{seed};
    GenerateStarLayer(fast, count, a, worldSize, 12, 1, shift);
    LiteralStarLayer<false>(literal, count, b, worldSize, 12, 1, shift);
    ExpectSameStars(fast, literal, count, "layer");
    EXPECT_EQ(a.seed, b.seed);
}

TEST(StarCollisions, ForcedCollisionsShiftAlongTheDiagonal) {
    StarLayer layer;
    RandomGenerator probe{4242};
    const int32_t x1 = probe.Random(20000), y1 = probe.Random(20000);
    probe.Random(12);
    const int32_t x2 = probe.Random(20000), y2 = probe.Random(20000);

    // Star 1's own stale entry is not a collision; entry 7 is, and entry 9
    // holds the first shifted position too. Star 2 lands on entry 5's
    // position, which is free again once star 5 is drawn: too late for it.
    layer.X[1] = x1, layer.Y[1] = y1;
    layer.X[7] = x1, layer.Y[7] = y1;
    layer.X[9] = x1 + 3, layer.Y[9] = y1 + 3;
    layer.X[5] = x2, layer.Y[5] = y2;
    RandomGenerator rng{4242};
    GenerateStarLayer(layer, StarsPerLayer, rng, 20000, 12, 1, 3);
    EXPECT_EQ(layer.X[1], x1 + 6);
    EXPECT_EQ(layer.Y[1], y1 + 6);
    EXPECT_EQ(layer.X[2], x2 + 3);
    EXPECT_EQ(layer.Y[2], y2 + 3);

    StarLayer far;
    far.X[3] = x1, far.Y[3] = y1;
    RandomGenerator rng2{4242};
    GenerateStarLayer(far, StarsPerLayer, rng2, 20000, 8, 13, 13);
    EXPECT_EQ(far.X[1], x1 + 13);
    EXPECT_EQ(far.Y[1], y1 + 13);
    EXPECT_GE(far.Item[1], 13);
    EXPECT_LE(far.Item[1], 20);
}

TEST(StarCollisions, StaleZerosAtProgramStart) {
    // In a world of size 1 every star is drawn at (0, 0). Each finds the
    // stale zeros of the entries after it there, and the stars before it on
    // the diagonal; only the last star finds (0, 0) free.
    constexpr int32_t n = 50;
    StarLayer layer;
    RandomGenerator rng{7};
    GenerateStarLayer(layer, n, rng, 1, 12, 1, 3);
    for (int32_t k = 1; k < n; ++k) {
        EXPECT_EQ(layer.X[k], 3 * k) << k;
        EXPECT_EQ(layer.Y[k], 3 * k) << k;
    }
    EXPECT_EQ(layer.X[n], 0);
    EXPECT_EQ(layer.Y[n], 0);
    // The entries after the layer's count are not part of it.
    EXPECT_EQ(layer.X[n + 1], 0);
}

TEST(StarCollisions, CrowdedWorldsMatchTheFullScan) {
    // Small worlds make long chains and many shifted stars; the second game
    // starts over the first game's stars.
    for (int32_t worldSize : {3, 20, 97}) {
        StarLayer layer;
        CompareLayer(layer, 1000, 99u + static_cast<uint32_t>(worldSize), worldSize, 3);
        CompareLayer(layer, 1000, 5u, worldSize, 3);
        CompareLayer(layer, 1000, 6u, worldSize, 13);
    }
}

TEST(StarCollisions, NewGamesMatchTheFullScanOnEveryStar) {
    auto g = testing::NewGameState();
    StarLayer nearLiteral, farLiteral;
    auto run = [&](uint32_t seed) {
        nearLiteral = g->stars.NearStars;
        farLiteral = g->stars.FarStars;
        g->world.Rng.Randomize(seed);
        RandomGenerator literal{seed};
        GenerateStarField(*g);
        LiteralStarLayer<true>(nearLiteral, StarsPerLayer, literal, 20000, 12, 1, 3);
        LiteralStarLayer<true>(farLiteral, StarsPerLayer, literal, 20000, 8, 13, 13);
        ExpectSameStars(g->stars.NearStars, nearLiteral, StarsPerLayer, "near");
        ExpectSameStars(g->stars.FarStars, farLiteral, StarsPerLayer, "far");
        EXPECT_EQ(g->world.Rng.seed, literal.seed);
    };
    // Two first games over the zeros of program start, then a second game
    // over the first one's stars.
    for (uint32_t seed : {1u, 55555555u}) {
        g = testing::NewGameState();
        run(seed);
    }
    run(86399999u);
}

TEST(NewGame, WorldCamerasAndPictureRanges) {
    auto g = testing::NewGameState();
    g->world.CameraX = g->world.FarCameraY = 3.0;
    g->world.Rng.Randomize(123456);
    GenerateStarField(*g);
    GenerateBonusObjects(*g);
    EXPECT_EQ(g->world.WorldSize, 20000);
    EXPECT_EQ(testing::Cameras(*g), (std::array{10000.0, 10000.0, 10000.0, 10000.0}));

    for (const StarLayer* layer : {&g->stars.NearStars, &g->stars.FarStars}) {
        const bool isNear = layer == &g->stars.NearStars;
        std::set<std::pair<int32_t, int32_t>> seen;
        for (int32_t i = 1; i <= StarsPerLayer; ++i) {
            EXPECT_TRUE(seen.insert({layer->X[i], layer->Y[i]}).second) << "shared position " << i;
            EXPECT_GE(layer->Item[i], isNear ? 1 : 13);
            EXPECT_LE(layer->Item[i], isNear ? 12 : 20);
            EXPECT_GE(layer->X[i], 0);
            EXPECT_LT(layer->X[i], 20000 + 13 * 4);  // shifted stars may pass the edge
        }
    }
    for (int32_t i = 1; i <= BonusObjectCount; ++i) {
        EXPECT_GE(g->bonus.Frame[i], 0);
        EXPECT_LE(g->bonus.Frame[i], 38);
        EXPECT_LT(g->bonus.X[i], 20000);
        EXPECT_LT(g->bonus.Y[i], 20000);
    }
}

TEST(NewGame, BonusObjectsDrawAfterTheStarsInOrder) {
    auto g = testing::NewGameState();
    g->world.Rng.Randomize(777);
    GenerateStarField(*g);
    RandomGenerator next = g->world.Rng;
    GenerateBonusObjects(*g);
    for (int32_t i = 1; i <= BonusObjectCount; ++i) {
        EXPECT_EQ(g->bonus.X[i], next.Random(20000));
        EXPECT_EQ(g->bonus.Y[i], next.Random(20000));
        EXPECT_EQ(g->bonus.Frame[i], next.Random(39));
    }
}

}  // namespace
}  // namespace skyrend
