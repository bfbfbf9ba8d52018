// combat/Explosions.cpp — destroying an enemy ship, and the explosions that
// mark where ships were destroyed.
//
// An explosion plays 28 pictures, one per frame, from the frame of the hit
// on; it keeps the orientation of a sprite with world heading 180 however
// the view turns.

#include "combat/Explosions.h"

#include <algorithm>

#include "platform/Platform.h"
#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"

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

void ExplodeEnemyShip(GameState& g, const Stage& stage, int32_t j, double shipX, double shipY) {
    stage.PlayCue(1);
    Explosions& x = g.explosions;
    // A full list takes no explosion; the generator is still reseeded and
    // drawn from, as it would be for one that fits.
    const int32_t n = AppendPosition(x.ExplosionCount);
    g.world.Rng.Randomize(platform::Current().UtcMillisecondOfDay());
    const int32_t kind = g.world.Rng.Random(3) + 1;
    if (n != 0) {
        x.ExplosionKind[n] = kind;
        x.ExplosionFrame[n] = 1;
        x.ExplosionX[n] = shipX;
        x.ExplosionY[n] = shipY;
    }
    // Its shots spare no ship from now on; other owners stay as they are.
    EnemyShots& s = g.enemyShots;
    for (int32_t k = 1; k <= s.EnemyShotCount; ++k)
        if (s.EnemyShotOwner[k] == j) s.EnemyShotOwner[k] = NoOwner;
}

void DestroyEnemyShip(GameState& g, const Stage& stage, int32_t j) {
    EnemyShips& e = g.enemies;
    if (j < 1 || j > e.EnemyShipCount) return;
    ExplodeEnemyShip(g, stage, j, e.EnemyX[j], e.EnemyY[j]);
    RemoveShip(e, j);
}

void RemoveEnemyShips(EnemyShips& e, const std::vector<int32_t>& positions) {
    if (positions.empty()) return;
    const int32_t count = e.EnemyShipCount;
    // The entries between two removed positions move down together, one
    // block copy each.
    auto compact = [&](auto& column) {
        int32_t write = positions.front();
        for (size_t k = 0; k < positions.size(); ++k) {
            const int32_t from = positions[k] + 1;
            const int32_t to = k + 1 < positions.size() ? positions[k + 1] : count + 1;
            if (to <= from) continue;
            std::copy(&column[from], &column[from] + (to - from), &column[write]);
            write += to - from;
        }
    };
    compact(e.EnemyX);
    compact(e.EnemyY);
    compact(e.EnemyHeading);
    compact(e.EnemySpeed);
    compact(e.EnemySpeedStep);
    compact(e.EnemyMaxSpeed);
    compact(e.EnemyTurnSpeed);
    compact(e.EnemyTurnStep);
    compact(e.EnemyMaxTurnSpeed);
    compact(e.EnemyMinTurnSpeed);
    compact(e.EnemyThrustApplied);
    compact(e.EnemyTurnApplied);
    compact(e.EnemyFireCooldown);
    compact(e.EnemyVariant);
    e.EnemyShipCount = count - static_cast<int32_t>(positions.size());
}

void DrawExplosions(GameState& g, const Stage& stage) {
    Explosions& x = g.explosions;
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation turn = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    int32_t i = 1;
    while (i <= x.ExplosionCount) {
        if (++x.ExplosionFrame[i] > LastExplosionFrame) {
            RemoveExplosion(x, i);  // the next explosion moves into position i
            continue;
        }
        if (view.Contains(x.ExplosionX[i], x.ExplosionY[i])) {
            const ScreenPoint p = WorldToScreen(g, turn, x.ExplosionX[i], x.ExplosionY[i], camX, camY);
            const int32_t item = (x.ExplosionKind[i] - 1) * PicturesPerKind + x.ExplosionFrame[i];
            stage.Explosion->Items.GetItem(item).DrawRotated(surface, static_cast<int32_t>(p.x - 10),
                                                             static_cast<int32_t>(p.y), 100, 100, 0, 0.5, 0.5,
                                                             ExplosionDrawAngle(g.ship.ShipHeading));
        }
        ++i;
    }
}

}  // namespace skyrend
