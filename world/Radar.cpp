// world/Radar.cpp — the radar in the top right corner: blinking blips for
// everything within reach of the ship, the sweep and the frame over them.
//
// The radar shows a shrunken copy of the turned view, with different scales
// along x and y. Its pass over the bonus objects also animates those within
// reach and recharges the ship's energy from those it flies over.

#include "world/Radar.h"

#include <cmath>

#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"
#include "world/Energy.h"

namespace skyrend {

namespace {

// The radar's pictures: the frame, then each kind of blip and the sweep,
// each from its first picture on.
constexpr int32_t FrameItem = 0, PlayerShotBlip = 1, BonusBlip = 7, SweepItem = 15;
constexpr int32_t EnemyShipBlip = 25, EnemyShotBlip = 32, BonusPictures = 39, SweepFrames = 10;

// What every blip of a frame shares: the reach, the scales, the surface.
struct RadarView {
    const Stage& stage;
    const GameState& g;
    TDirectDrawSurface* surface;
    ViewRotation turn;
    double camX, camY;
    int32_t reach;
    double xScale, yScale;

    RadarView(const GameState& game, const Stage& s)
        : stage(s),
          g(game),
          surface(s.Surface()),
          turn(MakeViewRotation(g)),
          camX(g.world.CameraX),
          camY(g.world.CameraY),
          reach(g.config.ViewRange + g.radar.RadarRange),
          xScale(static_cast<double>(g.config.ScreenWidth + g.radar.RadarRange) / 150),
          yScale(static_cast<double>(g.config.ScreenHeight + g.radar.RadarRange) / 100) {}

    // Whether the rounded distance is below the reach. Something at least
    // the reach away on one axis is that far in all, which settles most of
    // a big fleet without a square root.
    bool WithinReach(double px, double py) const {
        if (std::fabs(px - camX) >= reach || std::fabs(py - camY) >= reach) return false;
        return WorldDistance(px, py, camX, camY) < reach;
    }

    // The blip of something known to be within reach.
    void DrawBlip(double px, double py, int32_t base) const {
        const ScreenPoint p = WorldToScreen(g, turn, px, py, camX, camY);
        const int64_t sx = p.x - 10, sy = p.y;
        const int64_t blipX = Nearest(static_cast<double>(sx) / xScale) + g.config.ScreenWidth - 300 +
                              g.config.RadarOffsetX;
        const int64_t blipY = Nearest(static_cast<double>(sy) / yScale) + g.config.RadarOffsetY;
        stage.radar->Items.GetItem(base + g.ticks.RadarTick)
            .Draw(surface, static_cast<int32_t>(blipX), static_cast<int32_t>(blipY), 0);
    }

    void PlaceBlip(double px, double py, int32_t base) const {
        if (WithinReach(px, py)) DrawBlip(px, py, base);
    }
};

void BonusPass(const RadarView& view, GameState& g) {
    BonusObjects& b = g.bonus;
    for (int32_t i = 1; i <= BonusObjectCount; ++i) {
        if (view.WithinReach(b.X[i], b.Y[i])) {
            if (++b.Frame[i] == BonusPictures) b.Frame[i] = 0;
            view.DrawBlip(b.X[i], b.Y[i], BonusBlip);
        }
        RechargeFromBonus(g, b.X[i], b.Y[i]);
    }
}

}  // namespace

void DrawRadar(GameState& g, const Stage& stage) {
    const RadarView view(g, stage);
    BonusPass(view, g);
    const PlayerShots& ps = g.playerShots;
    for (int32_t i = 1; i <= ps.PlayerShotCount; ++i) view.PlaceBlip(ps.PlayerShotX[i], ps.PlayerShotY[i], PlayerShotBlip);
    const EnemyShips& e = g.enemies;
    for (int32_t i = 1; i <= e.EnemyShipCount; ++i) view.PlaceBlip(e.EnemyX[i], e.EnemyY[i], EnemyShipBlip);
    const EnemyShots& es = g.enemyShots;
    for (int32_t i = 1; i <= es.EnemyShotCount; ++i) view.PlaceBlip(es.EnemyShotX[i], es.EnemyShotY[i], EnemyShotBlip);

    TDirectDrawSurface* surface = view.surface;
    stage.radar->Items.GetItem(SweepItem + g.radar.RadarSweepFrame).Draw(surface, g.config.ScreenWidth - 240, 115, 0);
    stage.radar->Items.GetItem(FrameItem).Draw(surface, g.config.ScreenWidth - 359, 17, 0);
    if (++g.radar.RadarSweepFrame >= SweepFrames) g.radar.RadarSweepFrame = 0;
}

}  // namespace skyrend
