// tests/world/ExhaustTest.cpp — when puffs are dropped, how long they live
// and how the list keeps its order.

#include <gtest/gtest.h>

#include <vector>

#include "tests/world/WorldFixture.h"
#include "world/Exhaust.h"
#include "world/Ship.h"

namespace skyrend {
namespace {

// The exhaust part of one frame in the frame driver's order: move the live
// puffs, count the cooldown down, apply a held thrust, move the ship.
void Frame(GameState& g, bool thrust) {
    if (g.exhaust.ExhaustCount > 0) MoveExhaustPuffs(g);
    if (g.exhaust.ExhaustCooldown > 0) --g.exhaust.ExhaustCooldown;
    if (thrust) ThrustForward(g);
    MoveShipAndCamera(g);
}

TEST(ExhaustPuffs, HeldThrustDropsEverySecondFrame) {
    auto g = testing::NewGameState();
    std::vector<int> dropFrames;
    std::vector<double> cameraAtDrop;
    for (int frame = 1; frame <= 10; ++frame) {
        const int32_t before = g->exhaust.ExhaustCount;
        const double cameraY = g->world.CameraY;
        Frame(*g, true);
        if (g->exhaust.ExhaustCount > before) {
            dropFrames.push_back(frame);
            cameraAtDrop.push_back(cameraY);
        }
    }
    EXPECT_EQ(dropFrames, (std::vector<int>{1, 3, 5, 7, 9}));
    ASSERT_EQ(g->exhaust.ExhaustCount, 5);
    for (int32_t i = 1; i <= 5; ++i) {
        // Dropped where the ship was before the frame's motion.
        EXPECT_EQ(g->exhaust.Y[i], cameraAtDrop[static_cast<size_t>(i - 1)]);
        EXPECT_EQ(g->exhaust.Frame[i], 0);
        EXPECT_EQ(g->exhaust.DriftSpeed[i], 0.0);
    }
    EXPECT_EQ(g->exhaust.Life[1], 18 - 9);
    EXPECT_EQ(g->exhaust.Life[5], 18 - 1);

    // Both thrust controls in one frame still drop one puff.
    g->exhaust.ExhaustCooldown = 0;
    const int32_t before = g->exhaust.ExhaustCount;
    ThrustForward(*g);
    ThrustBackward(*g);
    EXPECT_EQ(g->exhaust.ExhaustCount, before + 1);
}

TEST(ExhaustPuffs, LiveEighteenStepsAndStayPut) {
    auto g = testing::NewGameState();
    g->ship.ShipHeading = 45;
    Frame(*g, true);  // frame F
    const double x = g->exhaust.X[1], y = g->exhaust.Y[1];
    EXPECT_EQ(g->exhaust.Heading[1], 45.0L);
    for (int frame = 1; frame <= 17; ++frame) Frame(*g, false);
    ASSERT_EQ(g->exhaust.ExhaustCount, 1);  // after frame F + 17
    EXPECT_EQ(g->exhaust.Life[1], 1);
    EXPECT_EQ(g->exhaust.X[1], x);
    EXPECT_EQ(g->exhaust.Y[1], y);
    Frame(*g, false);
    EXPECT_EQ(g->exhaust.ExhaustCount, 0);  // removed in frame F + 18
}

TEST(ExhaustPuffs, RemovalKeepsTheOrder) {
    auto g = testing::NewGameState();
    ExhaustPuffs& ex = g->exhaust;
    ex.ExhaustCount = 3;
    const int32_t lives[] = {1, 5, 9};
    for (int32_t i = 1; i <= 3; ++i) {
        ex.X[i] = 100.0 * i;
        ex.Y[i] = -1.0 * i;
        ex.Life[i] = lives[i - 1];
        ex.Frame[i] = i;
        ex.Heading[i] = 10.0L * i;
        ex.DriftSpeed[i] = 0;
    }
    MoveExhaustPuffs(*g);
    ASSERT_EQ(ex.ExhaustCount, 2);
    EXPECT_EQ(ex.X[1], 200.0);
    EXPECT_EQ(ex.Life[1], 4);
    EXPECT_EQ(ex.Frame[1], 2);
    EXPECT_EQ(ex.Heading[1], 20.0L);
    EXPECT_EQ(ex.X[2], 300.0);
    EXPECT_EQ(ex.Y[2], -3.0);
    EXPECT_EQ(ex.Life[2], 8);

    // Two expiring together both go, however they sit.
    ex.Life[1] = 1;
    ex.Life[2] = 1;
    MoveExhaustPuffs(*g);
    EXPECT_EQ(ex.ExhaustCount, 0);
}

TEST(ExhaustPuffs, DriftFollowsTheDropHeading) {
    auto g = testing::NewGameState();
    ExhaustPuffs& ex = g->exhaust;
    ex.ExhaustCount = 1;
    ex.X[1] = 10;
    ex.Y[1] = 10;
    ex.Life[1] = 5;
    ex.Heading[1] = 90;
    ex.DriftSpeed[1] = 2;
    MoveExhaustPuffs(*g);
    EXPECT_DOUBLE_EQ(ex.X[1], 12.0);
    EXPECT_NEAR(ex.Y[1], 10.0, 1e-15);
}

TEST(ExhaustPuffs, AFullListDropsThePuff) {
    auto g = testing::NewGameState();
    g->exhaust.ExhaustCount = ListCapacity;
    SpawnExhaustPuff(*g);
    EXPECT_EQ(g->exhaust.ExhaustCount, ListCapacity);
    EXPECT_EQ(g->exhaust.ExhaustCooldown, 2);
}

TEST(ExhaustPuffs, AngleFollowsTheTurnSinceTheDrop) {
    EXPECT_EQ(PuffAngle(10.0L, 10.0L), 0);
    EXPECT_EQ(PuffAngle(10.0L, 30.0L), -14);   // -20 * 256 / 360 = -14.2
    EXPECT_EQ(PuffAngle(359.0L, 0.0L), 255);   // not reduced; the draw takes it modulo 256
    EXPECT_EQ(PuffAngle(0.0L, 45.0L), -32);
}

}  // namespace
}  // namespace skyrend
