// tests/world/ShipTest.cpp — the ship's controls, its motion with friction
// and turn decay, and the banking picture.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/world/WorldFixture.h"
#include "world/Ship.h"

namespace skyrend {
namespace {

TEST(ShipMotion, FirstFramesWithoutInput) {
    auto g = testing::NewGameState();
    MoveShipAndCamera(*g);
    EXPECT_EQ(testing::Cameras(*g), (std::array{10000.0, 10002.0, 10000.0, 10001.0}));
    EXPECT_DOUBLE_EQ(g->ship.ShipSpeed, 0.76);
    EXPECT_EQ(g->ship.ShipHeading, 0.01L);
    EXPECT_EQ(g->ship.ShipTurnSpeed, 0.0L);

    for (double expected : {0.52, 0.28, 0.04}) {
        MoveShipAndCamera(*g);
        EXPECT_NEAR(g->ship.ShipSpeed, expected, 1e-15);
    }
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipSpeed, 0.0);
    EXPECT_EQ(g->ship.ShipHeading, 0.01L);
    // The near camera went twice as far as the far one, along heading 0.01.
    const double c = std::cos(0.01 * M_PI / 180);
    EXPECT_NEAR(g->world.CameraY - 10000.0, 2 * (1.0 + c * (0.76 + 0.52 + 0.28 + 0.04)), 1e-9);
    EXPECT_NEAR(g->world.FarCameraY - 10000.0, 1.0 + c * (0.76 + 0.52 + 0.28 + 0.04), 1e-9);
    EXPECT_GT(g->world.CameraX, 10000.0);
    EXPECT_NEAR(g->world.CameraX - 10000.0, 2 * (0.76 + 0.52 + 0.28 + 0.04) * std::sin(0.01 * M_PI / 180), 1e-12);
}

TEST(ShipMotion, CamerasWrapAtTheSeam) {
    auto g = testing::NewGameState();
    g->world.CameraY = 19999.0;
    g->world.FarCameraY = 19999.5;
    g->ship.ShipSpeed = 1.0;
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->world.CameraY, 513.0);  // 20001 comes back over the ring of 19488
    EXPECT_EQ(g->world.FarCameraY, 512.5);
}

TEST(ShipControls, ThrustClampsAndFriction) {
    auto g = testing::NewGameState();
    for (int frame = 0; frame < 100; ++frame) {
        ThrustForward(*g);
        MoveShipAndCamera(*g);
    }
    EXPECT_EQ(g->ship.ShipSpeed, 10.0);
    MoveShipAndCamera(*g);
    EXPECT_DOUBLE_EQ(g->ship.ShipSpeed, 9.76);

    g->ship.ShipSpeed = 0;
    for (double expected : {-0.24, -0.48, -0.72}) {
        ThrustBackward(*g);
        MoveShipAndCamera(*g);
        EXPECT_NEAR(g->ship.ShipSpeed, expected, 1e-12);
    }
    for (int frame = 0; frame < 20; ++frame) {
        ThrustBackward(*g);
        MoveShipAndCamera(*g);
    }
    EXPECT_EQ(g->ship.ShipSpeed, -2.0);
    for (int frame = 0; frame < 8; ++frame) MoveShipAndCamera(*g);
    EXPECT_NEAR(g->ship.ShipSpeed, -0.08, 1e-12);
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipSpeed, 0.0);  // stops exactly at 0

    // Both thrust controls together: +0.12 - 0.24, no friction.
    g->ship.ShipSpeed = 1.0;
    ThrustForward(*g);
    ThrustBackward(*g);
    MoveShipAndCamera(*g);
    EXPECT_NEAR(g->ship.ShipSpeed, 0.88, 1e-12);
}

TEST(ShipControls, TurnClampsAndDecay) {
    auto g = testing::NewGameState();
    g->ship.ShipTurnSpeed = 0;
    TurnRight(*g);
    MoveShipAndCamera(*g);
    EXPECT_NEAR(static_cast<double>(g->ship.ShipTurnSpeed), 0.08, 1e-15);
    for (int frame = 0; frame < 30; ++frame) {
        TurnRight(*g);
        MoveShipAndCamera(*g);
    }
    EXPECT_EQ(g->ship.ShipTurnSpeed, 2.0L);
    for (int frame = 0; frame < 12; ++frame) MoveShipAndCamera(*g);
    EXPECT_NEAR(static_cast<double>(g->ship.ShipTurnSpeed), 0.08, 1e-12);
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipTurnSpeed, 0.0L);

    // Left and right together cancel, except at the lower clamp, where the
    // left step is clamped before the right one is added.
    g->ship.ShipTurnSpeed = -2;
    TurnLeft(*g);
    TurnRight(*g);
    MoveShipAndCamera(*g);
    EXPECT_NEAR(static_cast<double>(g->ship.ShipTurnSpeed), -1.92, 1e-15);
    g->ship.ShipTurnSpeed = 0.5L;
    TurnLeft(*g);
    TurnRight(*g);
    MoveShipAndCamera(*g);
    EXPECT_NEAR(static_cast<double>(g->ship.ShipTurnSpeed), 0.5, 1e-15);
    for (int frame = 0; frame < 40; ++frame) TurnLeft(*g);
    EXPECT_EQ(g->ship.ShipTurnSpeed, -2.0L);
}

TEST(ShipControls, HeadingJumpsInsteadOfWrapping) {
    auto g = testing::NewGameState();
    g->ship.ShipHeading = 358.5L;
    g->ship.ShipTurnSpeed = 1.0L;
    TurnRight(*g);  // suppresses the decay; 1.08 still passes 359
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipHeading, 0.0L);

    g->ship.ShipHeading = 0.5L;
    g->ship.ShipTurnSpeed = -1.0L;
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipHeading, 359.0L);

    g->ship.ShipHeading = 358.0L;
    g->ship.ShipTurnSpeed = 1.0L;
    MoveShipAndCamera(*g);
    EXPECT_EQ(g->ship.ShipHeading, 359.0L);  // exactly 359 stays
}

TEST(ShipSprite, OneStepPerFiveHundredthsOfTurnSpeed) {
    EXPECT_EQ(ShipSpriteItem(0.0L), 20);
    EXPECT_EQ(ShipSpriteItem(0.05L), 20);
    EXPECT_EQ(ShipSpriteItem(std::nextafter(0.05L, 1.0L)), 21);
    EXPECT_EQ(ShipSpriteItem(0.1L), 21);
    EXPECT_EQ(ShipSpriteItem(0.25L), 24);
    EXPECT_EQ(ShipSpriteItem(std::nextafter(0.25L, 1.0L)), 25);
    EXPECT_EQ(ShipSpriteItem(1.0L), 39);
    EXPECT_EQ(ShipSpriteItem(std::nextafter(1.0L, 2.0L)), 40);
    EXPECT_EQ(ShipSpriteItem(2.0L), 40);
    EXPECT_EQ(ShipSpriteItem(-0.05L), 20);
    EXPECT_EQ(ShipSpriteItem(std::nextafter(-0.05L, -1.0L)), 19);
    EXPECT_EQ(ShipSpriteItem(-0.5L), 11);
    EXPECT_EQ(ShipSpriteItem(-1.0L), 1);
    EXPECT_EQ(ShipSpriteItem(-2.0L), 0);
    // Turn speeds built from the step of 0.08 land where the table puts them.
    EXPECT_EQ(ShipSpriteItem(0.08L), 21);
    EXPECT_EQ(ShipSpriteItem(0.16L), 23);
}

}  // namespace
}  // namespace skyrend
