// tests/alloc/FrameAllocationTest.cpp — a running game allocates nothing per
// frame but its two text lines.
//
// The global allocation functions are replaced by counting ones. A tick of
// the timer (FrameStep, the menu when shown, Flip) is counted in a fight
// where every list is alive: ships closing in and firing, the player's shots,
// exhaust puffs and explosions. Its count is then set beside what writing
// that frame's text lines alone costs: each line built afresh and written
// through the surface's canvas, as the frame writes it. The two must be
// equal, whatever the size of the fleet. The address sanitizer owns the
// allocation functions in its builds; there the count is not taken.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "combat/Enemies.h"
#include "media/WaveCollection.h"
#include "harness/HeadlessGame.h"

#include "tests/support/CountingAllocator.h"

namespace skyrend::test {
namespace {

constexpr uint16_t KeyDown = 40, KeySpace = 32;

class FrameAllocations : public ::testing::Test {
protected:
    void SetUp() override {
        if (!countingAllocations) GTEST_SKIP() << "the sanitizer owns the allocation functions";
        std::filesystem::current_path(SKYREND_GAME_DIR);
        game_.Start();
        ASSERT_TRUE(hp_.ErrorBoxes().empty());
    }
    void TearDown() override {
        if (!countingAllocations) return;
        // The application object outlives the game: leave it inactive, so
        // that the next game's activation runs its new game.
        game_.Stop();
    }

    TSkyrendMain& m() { return game_.m(); }
    GameState& g() { return game_.g(); }

    // A new fleet of `ships`; the first `near` of them stand on rays around
    // the player, three to a ray, already pointing at it, so that the outer
    // ships' shots pass the inner ones at once. The player brakes (which
    // leaves puffs and keeps it near) and fires all the time.
    void StartFight(int32_t ships, int32_t near) {
        g().config.EnemyCount = ships;
        g().enemies.EnemyShipCount = 0;
        PlaceEnemyShips(g());
        EnemyShips& e = g().enemies;
        for (int32_t i = 1; i <= near && i <= e.EnemyShipCount; ++i) {
            const double turn = 2 * 3.14159265358979 * ((i - 1) / 3) / ((near + 2) / 3);
            const double radius = 250 + 200 * ((i - 1) % 3);
            const double dx = radius * std::sin(turn), dy = radius * std::cos(turn);
            e.EnemyX[i] = g().world.CameraX + dx;
            e.EnemyY[i] = g().world.CameraY + dy;
            long double bearing = 0;
            if (EnemyBearing(dx, dy, bearing)) e.EnemyHeading[i] = bearing;
            e.EnemyFireCooldown[i] = (i * 7) % 40;
        }
        FillVoices();
        hp_.SetHeldKeys({KeyDown, KeySpace});
        for (int k = 0; k < 150; ++k) Tick();
    }

    // Each sound makes its voices on demand, up to its bound, and reuses them
    // after that; playing every sound that often with the clock standing
    // still makes them all, so that the counted frames see the steady state.
    void FillVoices() {
        for (TDXWaveList* list : m().WaveLists)
            for (int32_t k = 0; k < list->Items.Count(); ++k) {
                TWaveCollectionItem& item = list->Items.GetItem(k);
                ASSERT_GT(item.MaxPlayingCount(), 0);
                for (int32_t n = 0; n < item.MaxPlayingCount(); ++n) item.Play(false);
            }
    }

    void Tick() { game_.Frames(1); }

    // The allocations of one tick, and of writing its text lines again by
    // themselves. The record of written texts starts empty each time, so
    // that both grow it alike.
    struct Counts {
        long frame = 0;
        long textLines = 0;
        size_t lines = 0;
    };
    Counts CountTick() {
        Counts c;
        hp_.AdvanceClock(33);
        hp_.TakeTexts();
        const long before = AllocationCount();
        Application().Idle();
        c.frame = AllocationCount() - before;
        const std::vector<platform::TextRecord> lines = hp_.TakeTexts();
        c.lines = lines.size();
        TDirectDrawSurfaceCanvas& canvas = m().DXDraw->Surface()->Canvas();
        const long again = AllocationCount();
        for (const platform::TextRecord& line : lines) {
            canvas.TextOut(line.x, line.y, std::string(line.text));
            canvas.Release();
        }
        c.textLines = AllocationCount() - again;
        hp_.TakeTexts();
        return c;
    }

    // Counts `frames` ticks and checks each against its text lines; every
    // list must have been alive in some of them.
    void ExpectOnlyTextLines(int frames) {
        bool puffs = false, shots = false, enemyShots = false, explosions = false;
        for (int k = 0; k < frames; ++k) {
            const Counts c = CountTick();
            EXPECT_EQ(c.lines, 2u) << "frame " << k;
            EXPECT_GT(c.textLines, 0) << "frame " << k;
            EXPECT_EQ(c.frame, c.textLines) << "frame " << k;
            puffs |= g().exhaust.ExhaustCount > 0;
            shots |= g().playerShots.PlayerShotCount > 0;
            enemyShots |= g().enemyShots.EnemyShotCount > 0;
            explosions |= g().explosions.ExplosionCount > 0;
        }
        EXPECT_TRUE(puffs && shots && enemyShots && explosions)
            << "puffs " << puffs << " shots " << shots << " enemy shots " << enemyShots << " explosions "
            << explosions;
        EXPECT_GT(g().enemies.EnemyShipCount, 0);
        EXPECT_TRUE(hp_.ErrorBoxes().empty()) << hp_.ErrorBoxes().front();
    }

    HeadlessGame game_{36000000};
    platform::HeadlessPlatform& hp_ = game_.hp();
};

TEST_F(FrameAllocations, SmallFleetWithTheMenuShown) {
    StartFight(80, 60);
    g().shell.MenuOverlayShown = 1;
    ExpectOnlyTextLines(40);
}

TEST_F(FrameAllocations, LargestFleetWithTheMenuHidden) {
    StartFight(ListCapacity, 400);
    g().shell.MenuOverlayShown = 0;
    ExpectOnlyTextLines(40);
}

}  // namespace
}  // namespace skyrend::test
