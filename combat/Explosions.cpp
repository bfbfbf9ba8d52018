// combat/Explosions.cpp — destroying an enemy ship, and the explosions that
// mark where ships were destroyed.
//
// An explosion plays 28 pictures, one per frame, from the frame of the hit
// on; it keeps the orientation of a sprite with world heading 180 however
// the view turns.

#include "combat/Explosions.h"

#include "shell/Skyrendunit.h"
#include "world/Space.h"

namespace skyrend {

namespace {

constexpr int32_t LastExplosionFrame = 29;
constexpr int32_t PicturesPerKind = 29;
constexpr long double ExplosionHeading = 180;

void RemoveShip(EnemyShips& e, int32_t j) {
    RemovePosition(j, e.EnemyShipCount, e.EnemyX, e.EnemyY, e.EnemyHeading, e.EnemySpeed, e.EnemySpeedStep,
                   e.EnemyMaxSpeed, e.EnemyTurnSpeed, e.EnemyTurnStep, e.EnemyMaxTurnSpeed, e.EnemyMinTurnSpeed,
                   e.EnemyThrustApplied, e.EnemyTurnApplied, e.EnemyFireCooldown, e.EnemyVariant);
}

void RemoveExplosion(Explosions& x, int32_t position) {
    RemovePosition(position, x.ExplosionCount, x.ExplosionX, x.ExplosionY, x.ExplosionFrame, x.ExplosionKind);
}

}  // namespace

float ExplosionDrawAngle(long double shipHeading) {
    const double difference = static_cast<double>(ExplosionHeading - shipHeading);
    return static_cast<float>(static_cast<long double>(difference) * TurnsPerDegree);
}

void DestroyEnemyShip(TSkyrendMain& m, int32_t j) {
    GameState& g = m.state;
    EnemyShips& e = g.enemies;
    if (j < 1 || j > e.EnemyShipCount) return;
    PlayCue(m, 1);
    Explosions& x = g.explosions;
    // A full list takes no explosion; the generator is still reseeded and
    // drawn from, as it would be for one that fits.
    const int32_t n = AppendPosition(x.ExplosionCount);
    g.world.Rng.Randomize(platform::Current().UtcMillisecondOfDay());
    const int32_t kind = g.world.Rng.Random(3) + 1;
    if (n != 0) {
        x.ExplosionKind[n] = kind;
        x.ExplosionFrame[n] = 1;
        x.ExplosionX[n] = e.EnemyX[j];
        x.ExplosionY[n] = e.EnemyY[j];
    }
    RemoveShip(e, j);
    // Its shots spare no ship from now on; other owners stay as they are.
    EnemyShots& s = g.enemyShots;
    for (int32_t k = 1; k <= s.EnemyShotCount; ++k)
        if (s.EnemyShotOwner[k] == j) s.EnemyShotOwner[k] = NoOwner;
}

void DrawExplosions(TSkyrendMain& m) {
    GameState& g = m.state;
    Explosions& x = g.explosions;
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation turn = MakeViewRotation(g);
    TDirectDrawSurface* surface = m.DXDraw->Surface();
    int32_t i = 1;
    while (i <= x.ExplosionCount) {
        if (++x.ExplosionFrame[i] > LastExplosionFrame) {
            RemoveExplosion(x, i);  // the next explosion moves into position i
            continue;
        }
        if (view.Contains(x.ExplosionX[i], x.ExplosionY[i])) {
            const ScreenPoint p = WorldToScreen(g, turn, x.ExplosionX[i], x.ExplosionY[i], camX, camY);
            const int32_t item = (x.ExplosionKind[i] - 1) * PicturesPerKind + x.ExplosionFrame[i];
            m.Explosion->Items.GetItem(item).DrawRotated(surface, static_cast<int32_t>(p.x - 10),
                                                         static_cast<int32_t>(p.y), 100, 100, 0, 0.5, 0.5,
                                                         ExplosionDrawAngle(g.ship.ShipHeading));
        }
        ++i;
    }
}

}  // namespace skyrend
