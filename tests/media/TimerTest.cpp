// Tests of the frame timer: attachment to the idle slot, the tick rule, the
// measured rate, LagCount and activation.

#include <gtest/gtest.h>

#include "media/DXClass.h"
#include "tests/media/FakePlatform.h"

namespace skyrend {
namespace {

class TimerTest : public ::testing::Test {
protected:
    test::FakePlatform fake;
    std::vector<int32_t> lags;
    int activations = 0, deactivations = 0;

    void SetUp() override {
        Application().HandleMessage({platform::MessageKind::Deactivate});
        Application().SetOnIdle(nullptr);
    }
    void TearDown() override {
        Application().HandleMessage({platform::MessageKind::Deactivate});
        Application().SetOnIdle(nullptr);
    }
    std::unique_ptr<TDXTimer> MakeTimer(uint32_t interval, bool enabled) {
        auto t = std::make_unique<TDXTimer>(nullptr);
        t->BeginLoading();
        t->SetInterval(interval);
        t->SetEnabled(enabled);
        t->OnTimer = [this](TComponent*, int32_t lag) { lags.push_back(lag); };
        t->OnActivate = [this](TComponent*) { ++activations; };
        t->OnDeactivate = [this](TComponent*) { ++deactivations; };
        t->Loaded();
        return t;
    }
    void Activate() { Application().HandleMessage({platform::MessageKind::Activate}); }
    void Deactivate() { Application().HandleMessage({platform::MessageKind::Deactivate}); }
    // Advances the clock by `ms` and makes one idle call.
    void Idle(uint32_t ms) {
        fake.clock += ms;
        Application().Idle();
    }
};

TEST_F(TimerTest, TicksAtMostOncePerIntervalAndMeasuresTheRate) {
    auto t = MakeTimer(33, true);
    Activate();
    ASSERT_TRUE(Application().HasOnIdle());
    Idle(32);
    EXPECT_TRUE(lags.empty());
    Idle(1);
    ASSERT_EQ(lags.size(), 1u);
    for (int i = 2; i <= 30; ++i) Idle(33);
    EXPECT_EQ(lags.size(), 30u);
    EXPECT_EQ(t->TickRate(), 0);  // 990 ms: the first second is not full
    Idle(33);                     // 31 ticks in 1023 ms
    EXPECT_EQ(t->TickRate(), 30);
    EXPECT_EQ(lags.back(), 1);
}

TEST_F(TimerTest, SlowFramesGiveLagCountsAndARateRoundedToEven) {
    auto t = MakeTimer(33, true);
    Activate();
    for (int i = 1; i <= 13; ++i) Idle(80);
    EXPECT_EQ(lags.front(), 2);
    EXPECT_EQ(t->TickRate(), 12);  // 13000 / 1040 = 12.5
}

TEST_F(TimerTest, IntervalZeroTicksEveryIdleCallAndNegativeIsZero) {
    auto t = MakeTimer(0, true);
    Activate();
    Idle(0);
    Idle(0);
    EXPECT_EQ(lags.size(), 2u);
    EXPECT_EQ(lags[0], 1);
    t->SetInterval(-5);
    EXPECT_EQ(t->Interval(), 0u);
}

TEST_F(TimerTest, InactiveApplicationDoesNotTick) {
    auto t = MakeTimer(33, false);
    t->SetEnabled(true);
    EXPECT_TRUE(t->Started());
    EXPECT_FALSE(Application().HasOnIdle());
    Idle(100);
    EXPECT_TRUE(lags.empty());
    Activate();
    EXPECT_EQ(activations, 1);
    Idle(33);
    EXPECT_EQ(lags.size(), 1u);
    Deactivate();
    EXPECT_EQ(deactivations, 1);
    EXPECT_FALSE(Application().HasOnIdle());
    EXPECT_TRUE(t->Started());
}

TEST_F(TimerTest, ActivationIsReportedEvenWhenDisabled) {
    auto t = MakeTimer(33, false);
    Activate();
    EXPECT_EQ(activations, 1);
    EXPECT_FALSE(Application().HasOnIdle());
    t->SetEnabled(true);
    EXPECT_TRUE(Application().HasOnIdle());
    t->SetEnabled(false);
    EXPECT_FALSE(Application().HasOnIdle());
    EXPECT_FALSE(t->Started());
}

TEST_F(TimerTest, ClockWrapKeepsTicking) {
    fake.clock = 0xFFFFFFF0u;
    auto t = MakeTimer(33, true);
    Activate();
    Idle(33);  // wraps past 2^32
    EXPECT_EQ(lags.size(), 1u);
    EXPECT_EQ(lags[0], 1);
}

TEST_F(TimerTest, ReattachResetsTheWindowButKeepsTheCount) {
    auto t = MakeTimer(33, true);
    Activate();
    for (int i = 0; i < 20; ++i) Idle(33);
    Deactivate();
    fake.clock += 5000;
    Activate();  // the window restarts at the attach; 20 ticks carried over
    for (int i = 0; i < 31; ++i) Idle(33);
    EXPECT_EQ(t->TickRate(), 50);  // 51 ticks * 1000 / 1023 = 49.85
}

}  // namespace
}  // namespace skyrend
