// state/GameState.h — the game's module-level state, grouped per subsystem.
//
// Everything here lives as long as the main window; a new game resets counts
// and start values but not the storage of the lists. All of it is zero before
// the first new game.

#pragma once

#include <cstdint>

#include "state/EntityList.h"
#include "state/Random.h"

namespace skyrend {

constexpr int32_t StarsPerLayer = 30000;
constexpr int32_t BonusObjectCount = 100;
constexpr int32_t PuffLifetime = 18;
constexpr int32_t NoOwner = 300000;
constexpr int32_t SteeringRange = 1000;

// The shell: menu and sound rotation.
struct ShellState {
    int16_t MenuOverlayShown = 0;
    int32_t MenuPage = 0, OptionsChoice = 0, CueDeviceIndex = 0;
};

// The configuration files and the screen profile in force.
struct ConfigState {
    int32_t ResolutionIndex = 0, EnemyCount = 0;
    // The eleven values of the screen profile.
    int32_t ScreenWidth = 0, ScreenHeight = 0, ViewRange = 0;
    int32_t ScreenCentreX = 0, ScreenCentreY = 0;
    int32_t ShipDrawX = 0, ShipDrawY = 0;
    int32_t MenuLeft = 0, MenuTop = 0;
    int32_t RadarOffsetY = 0, RadarOffsetX = 0;
};

// The frame-paced animation counters.
struct TickState {
    int32_t NearStarTick = 0, FarStarTick = 0, RadarTick = 0;
    int32_t ExhaustTick = 0, EnemyShotTick = 0, PlayerShotTick = 0;
};

// The world's extent, both cameras and the random generator.
struct WorldState {
    int32_t WorldSize = 0;
    double CameraX = 0, CameraY = 0;
    double FarCameraX = 0, FarCameraY = 0;
    RandomGenerator Rng;
};

// One star layer: positions and the picture item each star shows.
struct StarLayer {
    Column<int32_t> X, Y, Item;
};

struct StarField {
    StarLayer FarStars;
    StarLayer NearStars;
};

struct BonusObjects {
    Column<int32_t> X, Y, Frame;
};

// The player's ship; its world position is the near camera.
struct ShipState {
    long double ShipHeading = 0, ShipTurnSpeed = 0;
    double TurnStep = 0;
    int32_t MaxTurnSpeed = 0, MinTurnSpeed = 0;
    double ShipSpeed = 0, SpeedStep = 0;
    int32_t MaxSpeed = 0, MinSpeed = 0;
    bool ThrustApplied = false, TurnApplied = false;
};

struct ExhaustPuffs {
    Column<double> X, Y;
    Column<double> DriftSpeed;  // 0 for every puff: puffs stay where they were dropped
    Column<long double> Heading;
    Column<int32_t> Life, Frame;
    int32_t ExhaustCount = 0, ExhaustCooldown = 0;
};

struct EnergyState {
    int32_t Energy = 0, EnergyShown = 0;
};

struct RadarState {
    int32_t RadarRange = 0, RadarSweepFrame = 0;
};

struct EnemyShips {
    Column<double> EnemyX, EnemyY;
    Column<long double> EnemyHeading;
    Column<double> EnemySpeed, EnemySpeedStep;
    Column<int32_t> EnemyMaxSpeed;
    Column<long double> EnemyTurnSpeed;
    Column<double> EnemyTurnStep;
    Column<int32_t> EnemyMaxTurnSpeed, EnemyMinTurnSpeed;
    Column<int32_t> EnemyThrustApplied, EnemyTurnApplied;
    Column<int32_t> EnemyFireCooldown;
    Column<int32_t> EnemyVariant;
    int32_t EnemyShipCount = 0;
};

struct PlayerShots {
    Column<double> PlayerShotX, PlayerShotY, PlayerShotSpeed;
    Column<long double> PlayerShotHeading;
    Column<int32_t> PlayerShotLife, PlayerShotFrame;
    int32_t PlayerShotCount = 0, PlayerFireCooldown = 0;
};

struct EnemyShots {
    Column<double> EnemyShotX, EnemyShotY, EnemyShotSpeed;
    Column<long double> EnemyShotHeading;
    Column<int32_t> EnemyShotLife, EnemyShotFrame, EnemyShotDamage, EnemyShotOwner;
    int32_t EnemyShotCount = 0;
};

struct Explosions {
    Column<double> ExplosionX, ExplosionY;
    Column<int32_t> ExplosionFrame;
    Column<int32_t> ExplosionKind;
    int32_t ExplosionCount = 0;
};

struct GameState {
    ShellState shell;
    ConfigState config;
    TickState ticks;
    WorldState world;
    StarField stars;
    BonusObjects bonus;
    ShipState ship;
    ExhaustPuffs exhaust;
    EnergyState energy;
    RadarState radar;
    EnemyShips enemies;
    PlayerShots playerShots;
    EnemyShots enemyShots;
    Explosions explosions;
};

}  // namespace skyrend
