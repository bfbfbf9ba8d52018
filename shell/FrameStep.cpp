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
    if (states.Contains(isLeft)) TurnLeft(m);
    if (states.Contains(isRight)) TurnRight(m);
    if (states.Contains(isUp)) ThrustForward(m);
    if (states.Contains(isDown)) ThrustBackward(m);
    if (states.Contains(isButton1)) FirePlayerShot(m);
}

}  // namespace

void TSkyrendMain::FrameStep() {
    GameState& g = state;
    ++g.ticks.NearStarTick;
    ++g.ticks.FarStarTick;
    DrawStars(*this);
    DrawBonusObjects(*this);
    if (++g.ticks.RadarTick == 6) g.ticks.RadarTick = 0;
    if (g.exhaust.ExhaustCount > 0) {
        ++g.ticks.ExhaustTick;
        DrawExhaustPuffs(*this);
        MoveExhaustPuffs(*this);
    }
    if (g.enemyShots.EnemyShotCount > 0) {
        ++g.ticks.EnemyShotTick;
        DrawEnemyShots(*this);
        MoveEnemyShots(*this);
    }
    if (g.playerShots.PlayerShotCount > 0) {
        ++g.ticks.PlayerShotTick;
        DrawPlayerShots(*this);
        MovePlayerShots(*this);
    }
    if (g.enemies.EnemyShipCount > 0) UpdateEnemyShips(*this);
    if (g.explosions.ExplosionCount > 0) DrawExplosions(*this);
    DrawShip(*this);
    UpdateEnergyShown(*this);
    DrawEnergyBar(*this);
    DrawRadar(*this);
    WriteStatusLine(*this);
    CountDownCooldowns(g);
    DXInput1->Update();
    ApplyControls(*this);
    MoveShipAndCamera(*this);
}

}  // namespace skyrend
