#include "platform/activation_keeper.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace kestrow {
namespace {

using WindowId = ActivationKeeper::WindowId;
constexpr WindowId kEditor = 1, kTimerWindow = 2, kConsole = 3;
constexpr int kLook = ActivationKeeper::kLookEveryMs;

// A desktop reduced to what the keeper sees, and the keeper's timer.
class ActivationKeeperTest : public ::testing::Test, protected ActivationKeeper::System {
protected:
    WindowId active() const override { return active_; }
    bool canActivate(WindowId window) const override { return shown_.count(window) != 0; }
    void activate(WindowId window) override { given_.push_back(active_ = window); }
    std::int64_t nowMs() const override { return now_; }

    void lookFor(std::int64_t ms)
    {
        for (const std::int64_t end = now_ + ms; now_ < end && keeper_.watching(); now_ += kLook) keeper_.look();
    }

    WindowId active_ = 0;
    std::set<WindowId> shown_{kEditor, kTimerWindow};
    std::vector<WindowId> given_;
    std::int64_t now_ = 0;
    ActivationKeeper keeper_{*this};
};

TEST_F(ActivationKeeperTest, GivesBackAtOnceWhenNothingIsActiveOnlyToAWindowThatShows)
{
    keeper_.programEnded(kTimerWindow);
    active_ = 0;
    shown_.erase(kEditor);
    keeper_.programEnded(kEditor);
    EXPECT_EQ(given_, std::vector<WindowId>{kTimerWindow});
    EXPECT_FALSE(keeper_.watching());
}

TEST_F(ActivationKeeperTest, LooksOnForTwoSecondsAndGivesBackOnceToTheLatest)
{
    active_ = kConsole;
    keeper_.programEnded(kEditor);
    now_ += 500;
    keeper_.programEnded(kTimerWindow);
    keeper_.programEnded(0);  // started while nothing was active: nothing to give back
    lookFor(1450);
    active_ = 0;  // the console let go
    lookFor(kLook);
    EXPECT_EQ(given_, std::vector<WindowId>{kTimerWindow});
    EXPECT_FALSE(keeper_.watching()) << "one give-back ends every watch";
}

TEST_F(ActivationKeeperTest, WhatTheUserMadeActiveStaysAndALaterLossIsNotOurs)
{
    active_ = kConsole;
    keeper_.programEnded(kTimerWindow);
    active_ = kEditor;
    lookFor(ActivationKeeper::kLookOnMs);
    EXPECT_TRUE(keeper_.watching()) << "up to two seconds after the end";
    keeper_.look();
    EXPECT_FALSE(keeper_.watching());
    active_ = 0;
    keeper_.look();
    EXPECT_TRUE(given_.empty());
}

}  // namespace
}  // namespace kestrow
