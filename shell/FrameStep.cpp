// shell/FrameStep.cpp — one frame of the game, run by each timer tick.
//
// The order is fixed: every drawing step sees the cameras as the previous
// frame left them, the status line shows this frame's counts, and the
// cooldowns are counted down before the controls can use them.

#include <cstdio>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "combat/PlayerShots.h"
#include "shell/Menu.h"
#include "shell/Skyrendunit.h"
#include "world/Energy.h"
#include "world/Exhaust.h"
#include "world/Radar.h"
#include "world/Ship.h"
#include "world/Stars.h"

namespace skyrend {

void TSkyrendMain::DXTimer1Timer(TComponent*, int32_t) {
    FrameStep();
    if (state.shell.MenuOverlayShown == 1) DrawMenu(*this);
    DXDraw->Flip();
}

namespace {

// "FPS: 30, Explosions2": the timer's rate and the running explosions.
void WriteStatusLine(TSkyrendMain& m) {
    TDirectDrawSurface* surface = m.DXDraw->Surface();
    if (!surface) return;
    char text[64];
    std::snprintf(text, sizeof text, "FPS: %d, Explosions%d", m.DXTimer1->TickRate(),
                  m.state.explosions.ExplosionCount);
    TDirectDrawSurfaceCanvas& canvas = surface->Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Color = 0xFFFFFF;
    canvas.Font.Size = 12;
    canvas.TextOut(0, 0, text);
    canvas.Release();
}

void CountDownCooldowns(GameState& g) {
    if (g.playerShots.PlayerFireCooldown > 0) --g.playerShots.PlayerFireCooldown;
    for (int32_t i = 1; i <= g.enemies.EnemyShipCount; ++i)
        if (g.enemies.EnemyFireCooldown[i] > 0) --g.enemies.EnemyFireCooldown[i];
    if (g.exhaust.ExhaustCooldown > 0) --g.exhaust.ExhaustCooldown;
}

void ApplyControls(TSkyrendMain& m) {
    const TInputStates& states = m.DXInput1->States;
    GameState& g = m.state;
    if (states.Contains(isLeft)) TurnLeft(g);
    if (states.Contains(isRight)) TurnRight(g);
    if (states.Contains(isUp)) ThrustForward(g);
    if (states.Contains(isDown)) ThrustBackward(g);
    if (states.Contains(isButton1)) FirePlayerShot(g, m.stage);
}

}  // namespace

void TSkyrendMain::FrameStep() {
    GameState& g = state;
    ++g.ticks.NearStarTick;
    ++g.ticks.FarStarTick;
    DrawStars(g, stage);
    DrawBonusObjects(g, stage);
    if (++g.ticks.RadarTick == 6) g.ticks.RadarTick = 0;
    if (g.exhaust.ExhaustCount > 0) {
        ++g.ticks.ExhaustTick;
        DrawExhaustPuffs(g, stage);
        MoveExhaustPuffs(g);
    }
    if (g.enemyShots.EnemyShotCount > 0) {
        ++g.ticks.EnemyShotTick;
        DrawEnemyShots(g, stage);
        MoveEnemyShots(g, stage);
    }
    if (g.playerShots.PlayerShotCount > 0) {
        ++g.ticks.PlayerShotTick;
        DrawPlayerShots(g, stage);
        MovePlayerShots(g, stage);
    }
    if (g.enemies.EnemyShipCount > 0) UpdateEnemyShips(g, stage);
    if (g.explosions.ExplosionCount > 0) DrawExplosions(g, stage);
    DrawShip(g, stage);
    UpdateEnergyShown(g);
    DrawEnergyBar(g, stage);
    DrawRadar(g, stage);
    WriteStatusLine(*this);
    CountDownCooldowns(g);
    DXInput1->Update();
    ApplyControls(*this);
    MoveShipAndCamera(g);
}

}  // namespace skyrend
