// world/Ship.cpp — the player's ship: its four flight controls, its motion
// with friction and turn decay, and the sprite that shows it banking.
//
// The ship never moves on the screen; its world position is the near
// camera, and moving the ship moves both cameras.

#include "world/Ship.h"

#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"
#include "world/Exhaust.h"

namespace skyrend {

namespace {

// The banking thresholds 0.05 k as the extended values nearest the decimals.
constexpr long double BankThreshold[21] = {
    0.0L,  0.05L, 0.1L,  0.15L, 0.2L,  0.25L, 0.3L,  0.35L, 0.4L,  0.45L, 0.5L,
    0.55L, 0.6L,  0.65L, 0.7L,  0.75L, 0.8L,  0.85L, 0.9L,  0.95L, 1.0L,
};

// Moves one camera coordinate by a step formed in extended precision.
double Advance(double position, long double step) { return static_cast<double>(position + step); }

// Brings a value back towards 0 by `step`, stopping exactly at 0.
template <typename T>
void Decay(T& value, long double step) {
    if (value > 0) {
        value = static_cast<T>(value - step);
        if (value < 0) value = 0;
    }
    if (value < 0) {
        value = static_cast<T>(value + step);
        if (value > 0) value = 0;
    }
}

}  // namespace

void TurnLeft(GameState& g) {
    ShipState& s = g.ship;
    s.TurnApplied = true;
    s.ShipTurnSpeed -= s.TurnStep;
    if (s.ShipTurnSpeed < s.MinTurnSpeed) s.ShipTurnSpeed = s.MinTurnSpeed;
}

void TurnRight(GameState& g) {
    ShipState& s = g.ship;
    s.TurnApplied = true;
    s.ShipTurnSpeed += s.TurnStep;
    if (s.ShipTurnSpeed > s.MaxTurnSpeed) s.ShipTurnSpeed = s.MaxTurnSpeed;
}

void ThrustForward(GameState& g) {
    ShipState& s = g.ship;
    s.ThrustApplied = true;
    s.ShipSpeed = static_cast<double>(s.ShipSpeed + static_cast<long double>(s.SpeedStep));
    if (s.ShipSpeed > s.MaxSpeed) s.ShipSpeed = s.MaxSpeed;
    SpawnExhaustPuff(g);
}

// Backward thrust brakes at twice the forward rate.
void ThrustBackward(GameState& g) {
    ShipState& s = g.ship;
    s.ThrustApplied = true;
    s.ShipSpeed = static_cast<double>(s.ShipSpeed - static_cast<long double>(s.SpeedStep) * 2);
    if (s.ShipSpeed < s.MinSpeed) s.ShipSpeed = s.MinSpeed;
    SpawnExhaustPuff(g);
}

// The cameras move with the heading and speed the frame began with; then
// friction, the heading step and the turn decay; the cameras wrap last.
void MoveShipAndCamera(GameState& g) {
    ShipState& s = g.ship;
    WorldState& w = g.world;

    const long double h = s.ShipHeading * DegToRad;
    const long double c = std::cos(h);
    const long double sn = std::sin(h);
    const long double v = s.ShipSpeed;
    w.FarCameraY = Advance(w.FarCameraY, c * v);
    w.FarCameraX = Advance(w.FarCameraX, sn * v);
    w.CameraY = Advance(w.CameraY, c * (v * 2));
    w.CameraX = Advance(w.CameraX, sn * (v * 2));

    if (!s.ThrustApplied) Decay(s.ShipSpeed, static_cast<long double>(s.SpeedStep) * 2);
    s.ThrustApplied = false;

    // The heading does not wrap modulo 360: the fraction is dropped.
    s.ShipHeading += s.ShipTurnSpeed;
    if (s.ShipHeading < 0) s.ShipHeading = 359;
    if (s.ShipHeading > 359) s.ShipHeading = 0;

    if (!s.TurnApplied) Decay(s.ShipTurnSpeed, static_cast<long double>(s.TurnStep) * 2);
    s.TurnApplied = false;

    w.CameraX = WrapCoordinate(g, w.CameraX);
    w.FarCameraX = WrapCoordinate(g, w.FarCameraX);
    w.CameraY = WrapCoordinate(g, w.CameraY);
    w.FarCameraY = WrapCoordinate(g, w.FarCameraY);
}

int32_t ShipSpriteItem(long double turnSpeed) {
    int32_t item = 20;
    for (int32_t k = 1; k <= 20; ++k)
        if (turnSpeed > BankThreshold[k]) item = 20 + k;
    for (int32_t k = 1; k <= 20; ++k)
        if (turnSpeed < -BankThreshold[k]) item = 20 - k;
    return item;
}

void DrawShip(const GameState& g, const Stage& stage) {
    stage.Ship1->Items.GetItem(ShipSpriteItem(g.ship.ShipTurnSpeed))
        .Draw(stage.Surface(), g.config.ShipDrawX, g.config.ShipDrawY, 0);
}

}  // namespace skyrend
