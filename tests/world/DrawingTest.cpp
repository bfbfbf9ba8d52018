// tests/world/DrawingTest.cpp — the drawing routines' animation and their
// failures on picture lists: pictures advance only for objects in view
// and only on their layer's ticks, and a missing picture ends the routine.

#include <gtest/gtest.h>

#include <memory>

#include "media/Errors.h"
#include "platform/headless/HeadlessPlatform.h"
#include "media/DXImageList.h"
#include "state/Stage.h"
#include "tests/world/WorldFixture.h"
#include "world/Energy.h"
#include "world/Exhaust.h"
#include "world/Ship.h"
#include "world/Stars.h"

namespace skyrend {
namespace {

// Picture lists without a display: drawing reaches the lists (and their
// index checks) but puts no pixels anywhere.
class DrawingTest : public ::testing::Test {
protected:
    platform::HeadlessPlatform platform_;
    TDXImageList stars_{nullptr}, bonus_{nullptr}, abgas_{nullptr}, ship_{nullptr}, energy_{nullptr};
    Stage stage_{.Stars1 = &stars_, .Ship1 = &ship_, .abgas = &abgas_, .Bonus = &bonus_, .Energy = &energy_,
                 .Cue = {}};
    std::unique_ptr<GameState> state_ = testing::NewGameState();
    GameState* g = state_.get();

    void SetUp() override { platform::SetCurrent(&platform_); }
    void TearDown() override { platform::SetCurrent(nullptr); }
    // The star layers drawn with the layers' frame counters at these values.
    void DrawStarsOnTicks(int32_t nearTick, int32_t farTick) {
        g->ticks.NearStarTick = nearTick;
        g->ticks.FarStarTick = farTick;
        DrawStars(*g, stage_);
    }
    static void Pictures(TDXImageList& list, int n) {
        list.Items.Clear();
        for (int k = 0; k < n; ++k) list.Items.Add();
    }
    static void Place(StarLayer& layer, int32_t i, int32_t x, int32_t y, int32_t item) {
        layer.X[i] = x;
        layer.Y[i] = y;
        layer.Item[i] = item;
    }
};

TEST_F(DrawingTest, StarsAdvanceOnTheirTicksWhileInView) {
    Pictures(stars_, 22);
    StarLayer& nearStars = g->stars.NearStars;
    StarLayer& farStars = g->stars.FarStars;
    Place(nearStars, 1, 10000, 10000, 12);
    Place(nearStars, 2, 10639, 9361, 5);
    Place(nearStars, 3, 10640, 10000, 7);  // on the window's edge: out of view
    Place(farStars, 1, 10000, 10000, 21);
    Place(farStars, 2, 12000, 10000, 15);

    DrawStarsOnTicks(1, 3);
    EXPECT_EQ(nearStars.Item[1], 12);
    EXPECT_EQ(farStars.Item[1], 21);
    EXPECT_EQ(g->ticks.NearStarTick, 1);
    EXPECT_EQ(g->ticks.FarStarTick, 3);

    DrawStarsOnTicks(2, 4);
    EXPECT_EQ(nearStars.Item[1], 0);  // 12 wraps to 0
    EXPECT_EQ(nearStars.Item[2], 6);
    EXPECT_EQ(nearStars.Item[3], 7);
    EXPECT_EQ(farStars.Item[1], 13);  // 21 wraps to 13
    EXPECT_EQ(farStars.Item[2], 15);
    EXPECT_EQ(g->ticks.NearStarTick, 0);
    EXPECT_EQ(g->ticks.FarStarTick, 0);

    // Each layer is seen from its own camera.
    g->world.FarCameraX = 12000.0;
    g->ticks.FarStarTick = 4;
    DrawStars(*g, stage_);
    EXPECT_EQ(farStars.Item[1], 13);
    EXPECT_EQ(farStars.Item[2], 16);
    // Stars out of view keep their picture however long they stay out.
    for (int frame = 0; frame < 8; ++frame) {
        g->ticks.NearStarTick = 2;
        DrawStars(*g, stage_);
    }
    EXPECT_EQ(nearStars.Item[3], 7);
    EXPECT_EQ(nearStars.Item[1], 8);
}

TEST_F(DrawingTest, AMissingStarPictureEndsTheDrawing) {
    Pictures(stars_, 13);  // the far layer's pictures are missing
    Place(g->stars.NearStars, 1, 10000, 10000, 12);
    Place(g->stars.FarStars, 1, 10010, 10000, 20);
    g->ticks.NearStarTick = 2;
    g->ticks.FarStarTick = 4;
    EXPECT_THROW(DrawStars(*g, stage_), EListError);
    EXPECT_EQ(g->stars.FarStars.Item[1], 21);      // advanced before the failed draw
    EXPECT_EQ(g->stars.NearStars.Item[1], 12);     // the near layer never ran
    EXPECT_EQ(g->ticks.FarStarTick, 4);
    EXPECT_EQ(g->ticks.NearStarTick, 2);
}

TEST_F(DrawingTest, BonusObjectsAdvanceEveryFrameInView) {
    Pictures(bonus_, 39);
    BonusObjects& b = g->bonus;
    b.X[1] = 10000, b.Y[1] = 10000, b.Frame[1] = 38;
    b.X[2] = 10640, b.Y[2] = 10000, b.Frame[2] = 4;  // exactly ViewRange to the right
    b.X[3] = 9361, b.Y[3] = 10639, b.Frame[3] = 4;
    DrawBonusObjects(*g, stage_);
    EXPECT_EQ(b.Frame[1], 0);
    EXPECT_EQ(b.Frame[2], 4);
    EXPECT_EQ(b.Frame[3], 5);
    DrawBonusObjects(*g, stage_);
    EXPECT_EQ(b.Frame[1], 1);

    Pictures(bonus_, 5);
    EXPECT_THROW(DrawBonusObjects(*g, stage_), EListError);
}

TEST_F(DrawingTest, PuffsAdvanceEveryThirdExhaustStep) {
    Pictures(abgas_, 7);
    ExhaustPuffs& ex = g->exhaust;
    ex.ExhaustCount = 2;
    ex.X[1] = 10000.0, ex.Y[1] = 10000.0, ex.Frame[1] = 6, ex.Life[1] = 10;
    ex.X[2] = 10639.5, ex.Y[2] = 10000.0, ex.Frame[2] = 3, ex.Life[2] = 10;  // just inside
    ex.X[3] = 10640.0, ex.Y[3] = 10000.0, ex.Frame[3] = 3;                   // beyond the count

    g->ticks.ExhaustTick = 2;
    DrawExhaustPuffs(*g, stage_);
    EXPECT_EQ(ex.Frame[1], 6);
    EXPECT_EQ(g->ticks.ExhaustTick, 2);

    g->ticks.ExhaustTick = 3;
    ex.X[2] = 10640.0;  // now on the edge: out of view
    DrawExhaustPuffs(*g, stage_);
    EXPECT_EQ(ex.Frame[1], 0);
    EXPECT_EQ(ex.Frame[2], 3);
    EXPECT_EQ(ex.Frame[3], 3);
    EXPECT_EQ(g->ticks.ExhaustTick, 0);

    Pictures(abgas_, 0);
    EXPECT_THROW(DrawExhaustPuffs(*g, stage_), EListError);
}

TEST_F(DrawingTest, ShipAndEnergyBarNeedTheirPictures) {
    Pictures(ship_, 41);
    Pictures(energy_, 101);
    g->ship.ShipTurnSpeed = 2.0L;
    g->energy.EnergyShown = 100;
    EXPECT_NO_THROW(DrawShip(*g, stage_));
    EXPECT_NO_THROW(DrawEnergyBar(*g, stage_));

    Pictures(ship_, 40);
    Pictures(energy_, 100);
    EXPECT_THROW(DrawShip(*g, stage_), EListError);
    EXPECT_THROW(DrawEnergyBar(*g, stage_), EListError);
    g->ship.ShipTurnSpeed = 1.0L;  // item 39
    g->energy.EnergyShown = 99;
    EXPECT_NO_THROW(DrawShip(*g, stage_));
    EXPECT_NO_THROW(DrawEnergyBar(*g, stage_));
}

}  // namespace
}  // namespace skyrend
