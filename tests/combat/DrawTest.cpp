// tests/combat/DrawTest.cpp — what the fleet, the shots, the explosions and
// the radar draw: each check makes the expected draw calls on a blank
// surface and compares it with what the routine drew.

#include <gtest/gtest.h>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "state/Flight.h"
#include "combat/PlayerShots.h"
#include "tests/combat/CombatGame.h"
#include "world/Radar.h"
#include "state/Space.h"

namespace skyrend::test {
namespace {

class Drawing : public CombatTest {
protected:
    std::unique_ptr<TDirectDrawSurface> expected = game.BlankLikeSurface();

    ScreenPoint Screen(double x, double y) { return WorldToScreen(g, x, y, g.world.CameraX, g.world.CameraY); }
    void ExpectRotated(TDXImageList& list, int32_t item, ScreenPoint p, int32_t dx, int32_t size, float angle) {
        list.Items.GetItem(item).DrawRotated(expected.get(), static_cast<int32_t>(p.x + dx),
                                             static_cast<int32_t>(p.y), size, size, 0, 0.5, 0.5, angle);
    }
    void ExpectRadar(int32_t item, int32_t x, int32_t y) {
        game.m().radar->Items.GetItem(item).Draw(expected.get(), x, y, 0);
    }
};

TEST_F(Drawing, ShipsInViewWithTheirPoseAndTheCountLine) {
    g.ship.ShipHeading = 10;
    game.AddShip(10100, 10050, 30, 0, -1.2L, 1);
    game.AddShip(10000 + 640, 10000);  // on the window's edge: not in view
    game.AddShip(12000, 12000);
    EXPECT_EQ(DrawEnemyShips(game.g(), game.stage()), 1);
    // (30 - 10) * 256 / 360 = 14.2 turns to 14; turn speed -1.2 of variant 1 is item 41.
    ExpectRotated(*game.m().Enemy, 41, Screen(10100, 10050), -15, 50, 14);
    EXPECT_TRUE(game.SurfaceEquals(*expected));

    game.hp().TakeTexts();
    UpdateEnemyShips(game.g(), game.stage());
    game.Reset();
    for (int k = 0; k < 47; ++k) game.AddShip(3000 + k, 3000);
    for (int k = 0; k < 3; ++k) game.AddShip(10000 + 100 * k, 10200);
    UpdateEnemyShips(game.g(), game.stage());
    game.Reset();
    game.AddShip(3000, 3000);
    UpdateEnemyShips(game.g(), game.stage());
    std::vector<std::string> lines;
    for (const auto& t : game.hp().TakeTexts())
        if (t.x == 0 && t.y == 50) lines.push_back(t.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"Anzahl der Schiffe: 1", "Anzahl der Schiffe: 3",
                                               "Anzahl der Schiffe: 0"}));
}

TEST_F(Drawing, AnglesFollowTheViewAndRoundOnlyShipsAndShots) {
    EXPECT_EQ(EnemyDrawAngle(30, 10), 14);       // 14.2
    EXPECT_EQ(EnemyDrawAngle(89.5L, 0), 64);     // 63.6
    EXPECT_EQ(EnemyDrawAngle(0, 90), -64);
    EXPECT_EQ(ShotDrawAngle(45, 0), 32);
    EXPECT_EQ(ShotDrawAngle(10, 370.5L), -256);  // -256.36
    EXPECT_EQ(ExplosionDrawAngle(180), 0);
    EXPECT_EQ(ExplosionDrawAngle(90), 64);
    EXPECT_FLOAT_EQ(ExplosionDrawAngle(100), 80 * 256.0f / 360);
}

TEST_F(Drawing, ShotsAnimateInViewOnlyAndTurnWithTheirHeading) {
    game.AddPlayerShot(10000, 10100, 45);
    game.AddPlayerShot(10000, 12000);  // out of view: keeps its picture
    g.ticks.PlayerShotTick = 1;
    DrawPlayerShots(game.g(), game.stage());
    EXPECT_EQ(g.playerShots.PlayerShotFrame[1], 1);
    EXPECT_EQ(g.playerShots.PlayerShotFrame[2], 0);
    EXPECT_EQ(g.ticks.PlayerShotTick, 0);
    ExpectRotated(*game.m().Weapons, 1, Screen(10000, 10100), -10, 50, 32);
    EXPECT_TRUE(game.SurfaceEquals(*expected));

    game.Reset();
    expected = game.BlankLikeSurface();
    g.ship.ShipHeading = 90;
    game.AddEnemyShot(9950, 10000, NoOwner, 0);
    g.enemyShots.EnemyShotFrame[1] = 8;
    g.ticks.EnemyShotTick = 1;
    DrawEnemyShots(game.g(), game.stage());
    EXPECT_EQ(g.enemyShots.EnemyShotFrame[1], 0);
    ExpectRotated(*game.m().enemy_weapons, 0, Screen(9950, 10000), -10, 50, -64);
    EXPECT_TRUE(game.SurfaceEquals(*expected));
}

TEST_F(Drawing, ExplosionShowsTwentyEightPicturesOfItsKind) {
    game.AddShip(10030, 10040);
    game.hp().SetClock(5000);
    DestroyEnemyShip(game.g(), game.stage(), 1);
    RandomGenerator r;
    r.Randomize(5000);
    EXPECT_EQ(g.explosions.ExplosionKind[1], r.Random(3) + 1);
    EXPECT_EQ(g.explosions.ExplosionFrame[1], 1);
    EXPECT_EQ(game.cues, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}}));

    g.explosions.ExplosionKind[1] = 2;
    g.ship.ShipHeading = 90;  // angle (180 - 90) * 256 / 360 = 64
    for (int32_t frame = 2; frame <= 29; ++frame) {
        game.surface().Fill(0);
        expected->Fill(0);
        DrawExplosions(game.g(), game.stage());
        ASSERT_EQ(g.explosions.ExplosionCount, 1);
        ExpectRotated(*game.m().Explosion, 29 + frame, Screen(10030, 10040), -10, 100, 64);
        ASSERT_TRUE(game.SurfaceEquals(*expected)) << "frame " << frame;
    }
    DrawExplosions(game.g(), game.stage());
    EXPECT_EQ(g.explosions.ExplosionCount, 0);

    // Facing 180 the explosion is drawn unturned; two explosions started
    // together end together.
    game.Reset();
    expected->Fill(0);
    g.ship.ShipHeading = 180;
    game.AddShip(10000, 10000);
    game.AddShip(10000, 10000);
    DestroyEnemyShip(game.g(), game.stage(), 1);
    DestroyEnemyShip(game.g(), game.stage(), 1);
    g.explosions.ExplosionKind[1] = g.explosions.ExplosionKind[2] = 1;
    DrawExplosions(game.g(), game.stage());
    ExpectRotated(*game.m().Explosion, 2, Screen(10000, 10000), -10, 100, 0);
    EXPECT_TRUE(game.SurfaceEquals(*expected));
    for (int k = 0; k < 27; ++k) DrawExplosions(game.g(), game.stage());
    EXPECT_EQ(g.explosions.ExplosionCount, 2);
    DrawExplosions(game.g(), game.stage());
    EXPECT_EQ(g.explosions.ExplosionCount, 0);
}

TEST_F(Drawing, RadarPlacesBlipsSweepAndFrame) {
    ASSERT_EQ(g.config.ScreenWidth, 1024);
    g.ticks.RadarTick = 2;
    g.radar.RadarSweepFrame = 9;
    game.AddShip(10000, 10000);
    game.AddShip(10000, 11000);          // 1000 ahead
    game.AddShip(10000 + 1640, 10000);   // exactly at the reach: no blip
    game.AddShip(10000 + 984, 10000 - 1312);  // likewise, 3-4-5 on the slant
    game.AddEnemyShot(10000 - 1639, 10000, NoOwner);
    DrawRadar(game.g(), game.stage());
    EXPECT_EQ(g.radar.RadarSweepFrame, 0);
    ExpectRadar(27, 790, 122);
    ExpectRadar(27, 790, 65);
    const int64_t x = Nearest(static_cast<double>(Screen(10000 - 1639, 10000).x - 10) / (2024.0 / 150));
    ExpectRadar(34, static_cast<int32_t>(x) + 1024 - 300 + 29, 122);
    ExpectRadar(24, 784, 115);
    ExpectRadar(0, 665, 17);
    EXPECT_TRUE(game.SurfaceEquals(*expected));
}

TEST_F(Drawing, RadarBonusPassAnimatesWithinReachAndRecharges) {
    BonusObjects& b = g.bonus;
    b.X[1] = 10000;  // under the ship
    b.Y[1] = 10000;
    b.X[2] = 11200;  // off the screen, within reach
    b.Y[2] = 10000;
    b.X[3] = 12000;  // out of reach
    b.Y[3] = 10000;
    b.Frame[1] = 38;
    b.Frame[2] = 5;
    b.Frame[3] = 5;
    g.energy.Energy = 85;
    g.ticks.RadarTick = 0;
    g.ship.ShipHeading = 0;
    DrawRadar(game.g(), game.stage());
    EXPECT_EQ(b.Frame[1], 0);
    EXPECT_EQ(b.Frame[2], 6);
    EXPECT_EQ(b.Frame[3], 5);
    EXPECT_EQ(g.energy.Energy, 95);
    ExpectRadar(7, 790, 122);
    const int64_t x = Nearest(static_cast<double>(Screen(11200, 10000).x - 10) / (2024.0 / 150));
    ExpectRadar(7, static_cast<int32_t>(x) + 1024 - 300 + 29, 122);
    ExpectRadar(15, 784, 115);
    ExpectRadar(0, 665, 17);
    EXPECT_TRUE(game.SurfaceEquals(*expected));
}

}  // namespace
}  // namespace skyrend::test
