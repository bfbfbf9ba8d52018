// tests/combat/CombatGame.h — one running game for the combat tests, on the
// headless back-end in the built game folder.
//
// The picture lists the combat code draws from are replaced by probes: item
// k of a list is a square of a colour no other item of any probe list has,
// with a white top-left corner, so pixels tell which item was drawn and how
// it was turned. Drawing checks compare the
// surface with one on which the expected calls were made directly.

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "combat/ShotList.h"
#include "harness/HeadlessGame.h"

namespace skyrend::test {

class CombatGame {
public:
    static CombatGame& Get();

    TSkyrendMain& m() { return game_.m(); }
    const Stage& stage() { return game_.stage(); }
    GameState& g() { return game_.g(); }
    platform::HeadlessPlatform& hp() { return game_.hp(); }
    TDirectDrawSurface& surface() { return game_.surface(); }

    // Empties every list and puts the ship, the cameras, the counters and
    // the energy back to known values; the cue record is cleared.
    void Reset();
    // (device, item) of every cue since the last Reset.
    std::vector<std::pair<int32_t, int32_t>> cues;

    // Appends a ship with the placement's constants.
    int32_t AddShip(double x, double y, long double heading = 0, double speed = 0, long double turnSpeed = 0,
                    int32_t variant = 0);
    // Appends an enemy shot (speed 10, life 50, damage 5).
    int32_t AddEnemyShot(double x, double y, int32_t owner, long double heading = 0, double speed = 10);
    int32_t AddPlayerShot(double x, double y, long double heading = 0, double speed = 12);
    static int32_t AddShot(const ShotList& s, double x, double y, int32_t life, long double heading, double speed);

    // The probe colour of item k of a list.
    uint32_t ProbeColor(const TDXImageList& list, int32_t item);
    void InstallProbes();
    void LoadRealPictures();

    // A blank surface of the drawing surface's size, for the expected draws.
    std::unique_ptr<TDirectDrawSurface> BlankLikeSurface();
    // Whether the drawing surface matches `expected` pixel for pixel.
    bool SurfaceEquals(const TDirectDrawSurface& expected);

private:
    CombatGame();
    HeadlessGame game_{12345678};
};

// A test on the shared game, which starts from Reset.
class CombatTest : public ::testing::Test {
protected:
    CombatGame& game = CombatGame::Get();
    GameState& g = game.g();
    EnemyShips& e = g.enemies;
    void SetUp() override { game.Reset(); }
};

}  // namespace skyrend::test
