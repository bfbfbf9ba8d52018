// combat/ShotList.cpp — launching, drawing and moving a list of plasma
// shots.
//
// A shot's sprite is turned by its heading relative to the ship's, so it
// keeps pointing along its flight while the view turns. After a hit a shot
// flies one more frame and is gone.

#include "combat/ShotList.h"

#include "combat/ShotHits.h"
#include "state/Flight.h"
#include "state/Space.h"
#include "state/Stage.h"
#include "world/Energy.h"

namespace skyrend {

namespace {

constexpr int32_t ShotPictures = 9;

void RemoveShot(const ShotList& s, int32_t position) {
    if (s.owner) s.owner->RemoveAt(position, s.count);
    if (s.damage) s.damage->RemoveAt(position, s.count);
    RemovePosition(position, s.count, s.x, s.y, s.life, s.speed, s.heading, s.frame);
}

}  // namespace

ShotList PlayerShotList(PlayerShots& s) {
    return {s.PlayerShotCount, s.PlayerShotX,       s.PlayerShotY,    s.PlayerShotLife,
            s.PlayerShotSpeed, s.PlayerShotHeading, s.PlayerShotFrame};
}

ShotList EnemyShotList(EnemyShots& s) {
    return {s.EnemyShotCount,   s.EnemyShotX,      s.EnemyShotY,      s.EnemyShotLife,  s.EnemyShotSpeed,
            s.EnemyShotHeading, s.EnemyShotFrame,  &s.EnemyShotOwner, &s.EnemyShotDamage};
}

int32_t LaunchShot(const ShotList& s, double x, double y, long double heading, double firerSpeed,
                   int32_t lifetime) {
    const int32_t n = AppendPosition(s.count);
    if (n == 0) return 0;
    s.speed[n] = firerSpeed * 2 + 10;
    s.heading[n] = heading;
    s.frame[n] = 0;
    s.life[n] = lifetime;
    s.x[n] = x;
    s.y[n] = y;
    StepAlongHeading(s.x[n], s.y[n], s.heading[n], s.speed[n]);
    return n;
}

void DrawShotList(const GameState& g, const Stage& stage, TDXImageList& pictures, const ShotList& shots,
                  int32_t& tick) {
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation turn = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    const bool advance = tick == 1;
    for (int32_t i = 1; i <= shots.count; ++i) {
        if (!view.Contains(shots.x[i], shots.y[i])) continue;
        if (advance && ++shots.frame[i] == ShotPictures) shots.frame[i] = 0;
        const ScreenPoint p = WorldToScreen(g, turn, shots.x[i], shots.y[i], camX, camY);
        const float angle = ShotDrawAngle(shots.heading[i], g.ship.ShipHeading);
        pictures.Items.GetItem(shots.frame[i])
            .DrawRotated(surface, static_cast<int32_t>(p.x - 10), static_cast<int32_t>(p.y), 50, 50, 0, 0.5, 0.5,
                         angle);
    }
    if (advance) tick = 0;
}

void MoveShotList(GameState& g, const Stage& stage, const ShotList& s) {
    for (int32_t i = 1; i <= s.count; ++i) {
        StepAlongHeading(s.x[i], s.y[i], s.heading[i], s.speed[i]);
        --s.life[i];
    }
    ShipHitScan hits(g, stage, s.count);
    int32_t i = 1;
    while (i <= s.count) {
        if (s.life[i] == 0) {
            RemoveShot(s, i);  // the next shot moves into position i
            continue;
        }
        hits.Scan(s.x[i], s.y[i], s.owner ? (*s.owner)[i] : NoOwner, s.life[i]);
        // A shot that has just hit a ship still reaches the player.
        if (s.damage && WithinHitBox(g.world.CameraX, g.world.CameraY, s.x[i], s.y[i])) {
            s.life[i] = 1;
            DamageShip(g, (*s.damage)[i]);
        }
        ++i;
    }
}

}  // namespace skyrend
