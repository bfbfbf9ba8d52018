// tests/world/SpaceTest.cpp — the wrap rule, distances, the view window, the
// world-to-screen mapping and the random generator.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/world/WorldFixture.h"
#include "state/Space.h"

namespace skyrend {
namespace {

TEST(WrapCoordinate, RingOverScreenCentreToWorldSize) {
    auto g = testing::NewGameState();
    EXPECT_EQ(WrapCoordinate(*g, 20000.0), 512.0);
    EXPECT_EQ(WrapCoordinate(*g, 20005.0), 517.0);
    EXPECT_EQ(WrapCoordinate(*g, 511.5), 19999.5);
    EXPECT_EQ(WrapCoordinate(*g, 19700.0), 19700.0);  // moved out and back in
    EXPECT_EQ(WrapCoordinate(*g, 512.0), 512.0);
    EXPECT_EQ(WrapCoordinate(*g, -10.0), 19478.0);
    EXPECT_EQ(WrapCoordinate(*g, 19999.75), 19999.75);

    g->config.ScreenCentreX = 960;  // the 1920 x 1200 profile
    EXPECT_EQ(WrapCoordinate(*g, 959.0), 19999.0);
    EXPECT_EQ(WrapCoordinate(*g, 960.0), 960.0);
    EXPECT_EQ(WrapCoordinate(*g, 20000.0), 960.0);
    EXPECT_EQ(WrapCoordinate(*g, 19500.0), 19500.0);
}

TEST(WorldDistance, RoundsTiesToEven) {
    EXPECT_EQ(WorldDistance(10, 10, 13, 14), 5);
    EXPECT_EQ(WorldDistance(5, 7, 5, 7), 0);
    EXPECT_EQ(WorldDistance(0, 0, 0, 2.5), 2);
    EXPECT_EQ(WorldDistance(0, 0, 0, 3.5), 4);
    EXPECT_EQ(WorldDistance(0, 19999, 0, 1), 19998);  // no wrap-around
    EXPECT_EQ(Nearest(-2.5L), -2);
}

TEST(ViewWindow, StrictBoundsAroundTheRoundedCamera) {
    auto g = testing::NewGameState();
    const ViewWindow w = MakeViewWindow(*g, 10000.4, 9999.6);
    EXPECT_EQ(w.loX, 9360);
    EXPECT_EQ(w.hiX, 10640);
    EXPECT_EQ(w.loY, 9360);
    EXPECT_EQ(w.hiY, 10640);
    EXPECT_FALSE(w.Contains(int32_t{10640}, int32_t{10000}));
    EXPECT_TRUE(w.Contains(int32_t{10639}, int32_t{10000}));
    EXPECT_FALSE(w.Contains(int32_t{10000}, int32_t{9360}));
    EXPECT_TRUE(w.Contains(10639.999, 9360.001));
    EXPECT_FALSE(w.Contains(10640.0, 10000.0));
    // Ties to even: 10000.5 rounds to 10000.
    EXPECT_EQ(MakeViewWindow(*g, 10000.5, 10001.5).loX, 9360);
    EXPECT_EQ(MakeViewWindow(*g, 10000.5, 10001.5).loY, 9362);
    // The window never wraps: across the seam nothing is seen.
    EXPECT_FALSE(MakeViewWindow(*g, 19900, 10000).Contains(int32_t{600}, int32_t{10000}));
}

TEST(WorldToScreen, RotatesByMinusTheHeading) {
    auto g = testing::NewGameState();
    ScreenPoint p = WorldToScreen(*g, 10100.0, 10050.0, 10000.0, 10000.0);
    EXPECT_EQ(p.x, 612);
    EXPECT_EQ(p.y, 334);  // world +y is up on the screen
    p = WorldToScreen(*g, 10000.5, 9998.5, 10000.0, 10000.0);
    EXPECT_EQ(p.x, 512);  // 0.5 rounds to 0
    EXPECT_EQ(p.y, 386);  // -1.5 rounds to -2

    g->ship.ShipHeading = 90;  // facing +x: what lies to the right is ahead
    p = WorldToScreen(*g, 10100.0, 10000.0, 10000.0, 10000.0);
    EXPECT_EQ(p.x, 512);
    EXPECT_EQ(p.y, 284);
    p = WorldToScreen(*g, 10000.0, 10100.0, 10000.0, 10000.0);  // +y is now to the left
    EXPECT_EQ(p.x, 412);
    EXPECT_EQ(p.y, 384);

    g->ship.ShipHeading = 30;
    const ViewRotation r = MakeViewRotation(*g);
    for (double px : {9000.0, 10001.0, 10333.25})
        for (double py : {9500.0, 10000.0, 10777.75}) {
            const ScreenPoint a = WorldToScreen(*g, px, py, 10000.0, 10000.0);
            const ScreenPoint b = WorldToScreen(*g, r, px, py, 10000.0, 10000.0);
            EXPECT_EQ(a.x, b.x);
            EXPECT_EQ(a.y, b.y);
            // Rotation keeps the distance from the screen centre.
            EXPECT_NEAR(std::hypot(a.x - 512.0, a.y - 384.0), std::hypot(px - 10000, py - 10000), 1.5);
        }
}

TEST(RandomGenerator, FixedSeedGivesAFixedSequence) {
    RandomGenerator r;
    r.Randomize(0);
    EXPECT_EQ(r.Random(20000), 0);
    EXPECT_EQ(r.Random(20000), 627);
    EXPECT_EQ(r.Random(12), 10);
    EXPECT_EQ(r.Random(39), 7);
    EXPECT_EQ(r.Random(1000), 272);
    EXPECT_EQ(r.seed, 1172187917u);
    r.Randomize(86399999);  // the last millisecond of the day
    EXPECT_EQ(r.Random(20000), 14465);
    EXPECT_EQ(r.Random(20000), 19903);
    EXPECT_EQ(r.Random(12), 4);
}

}  // namespace
}  // namespace skyrend
