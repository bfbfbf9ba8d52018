// tests/combat/FrameTest.cpp — combat inside whole frames: the order of the
// cues, and busy frames on the real pictures.

#include <gtest/gtest.h>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "combat/PlayerShots.h"
#include "tests/combat/CombatGame.h"

namespace skyrend::test {
namespace {

TEST(Frame, DestroyedShipsCueBeforeThePlayersShot) {
    CombatGame& game = CombatGame::Get();
    game.Reset();
    game.hp().SetForeground(true);
    game.hp().SetHeldKeys({32});  // Space: fire
    game.AddShip(10000, 10100);
    game.AddPlayerShot(10000, 10100, 0, 0);
    game.m().FrameStep();
    game.hp().SetHeldKeys({});
    EXPECT_EQ(game.cues, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 0}}));
    EXPECT_EQ(game.g().playerShots.PlayerShotCount, 2);
}

TEST(Frame, BusyFramesOnTheRealPictures) {
    CombatGame& game = CombatGame::Get();
    game.Reset();
    game.LoadRealPictures();
    // Ships of both looks around the player, shots, explosions of every
    // kind: every picture these draw must exist.
    for (int k = 0; k < 30; ++k) game.AddShip(9700 + 20 * k, 9800 + 15 * k, 12 * k, 4, -2 + 0.3L * k, k % 2);
    for (int k = 0; k < 9; ++k) game.AddEnemyShot(9800 + 40 * k, 10150, NoOwner, 40 * k);
    for (int kind = 1; kind <= 3; ++kind) {
        DestroyEnemyShip(game.g(), game.stage(), 1);
        game.g().explosions.ExplosionKind[kind] = kind;
    }
    try {
        for (int frame = 0; frame < 40; ++frame) game.m().FrameStep();
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    game.InstallProbes();
}

}  // namespace
}  // namespace skyrend::test
