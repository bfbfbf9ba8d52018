// tests/world/EnergyTest.cpp — the bar's walk towards the energy, damage and
// the recharge over bonus objects.

#include <gtest/gtest.h>

#include "tests/world/WorldFixture.h"
#include "world/Energy.h"

namespace skyrend {
namespace {

TEST(EnergyShown, WalksOneStepPerFrame) {
    auto g = testing::NewGameState();
    UpdateEnergyShown(*g);
    EXPECT_EQ(g->energy.EnergyShown, 1);
    for (int frame = 2; frame <= 100; ++frame) UpdateEnergyShown(*g);
    EXPECT_EQ(g->energy.EnergyShown, 100);
    UpdateEnergyShown(*g);
    EXPECT_EQ(g->energy.EnergyShown, 100);

    g->energy.EnergyShown = 50;
    g->energy.Energy = 40;
    UpdateEnergyShown(*g);
    EXPECT_EQ(g->energy.EnergyShown, 49);
    for (int frame = 2; frame <= 10; ++frame) UpdateEnergyShown(*g);
    EXPECT_EQ(g->energy.EnergyShown, 40);
}

TEST(DamageShip, NeverBelowZero) {
    auto g = testing::NewGameState();
    int32_t& e = g->energy.Energy;
    e = 20;
    DamageShip(*g, 30);
    EXPECT_EQ(e, 0);
    e = 20;
    DamageShip(*g, 20);
    EXPECT_EQ(e, 0);
    DamageShip(*g, 5);
    EXPECT_EQ(e, 0);
    DamageShip(*g, 0);
    EXPECT_EQ(e, 0);
    e = 100;
    DamageShip(*g, 15);
    EXPECT_EQ(e, 85);
}

TEST(Recharge, StrictlyWithinTwentyFiveUnits) {
    auto g = testing::NewGameState();
    int32_t& e = g->energy.Energy;
    e = 50;
    RechargeFromBonus(*g, 10025, 10000);  // exactly 25 on one axis
    RechargeFromBonus(*g, 10000, 9975);
    EXPECT_EQ(e, 50);
    RechargeFromBonus(*g, 10024, 9976);
    EXPECT_EQ(e, 60);
    g->world.CameraX = 10000.5;  // compared as reals
    RechargeFromBonus(*g, 10025, 10000);
    EXPECT_EQ(e, 70);
    RechargeFromBonus(*g, 9975, 10000);
    EXPECT_EQ(e, 70);
    // Two overlapping objects give 20; the energy stops at 100.
    e = 75;
    RechargeFromBonus(*g, 10001, 10001);
    RechargeFromBonus(*g, 10001, 10001);
    EXPECT_EQ(e, 95);
    RechargeFromBonus(*g, 10001, 10001);
    EXPECT_EQ(e, 100);
}

}  // namespace
}  // namespace skyrend
