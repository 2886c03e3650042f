#include "platform/activation_keeper.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace kestrow {
namespace {

using WindowId = ActivationKeeper::WindowId;

constexpr WindowId kEditor = 1, kTimerWindow = 2, kConsole = 3;

// A desktop reduced to what the keeper sees: the active window, the windows
// that stand and show, and a clock.
class Desktop : public ActivationKeeper::System {
public:
    WindowId active() const override { return active_; }
    bool canActivate(WindowId window) const override { return shown.count(window) != 0; }
    void activate(WindowId window) override
    {
        active_ = window;
        given.push_back(window);
    }
    std::int64_t nowMs() const override { return now; }

    WindowId active_ = 0;
    std::set<WindowId> shown{kEditor, kTimerWindow};
    std::vector<WindowId> given;
    std::int64_t now = 0;
};

class ActivationKeeperTest : public ::testing::Test {
protected:
    // Looks as the adapter's timer does until `ms` have passed.
    void lookFor(std::int64_t ms)
    {
        for (const std::int64_t end = desktop.now + ms; desktop.now < end && keeper.watching();) {
            desktop.now += ActivationKeeper::kLookEveryMs;
            keeper.look();
        }
    }

    Desktop desktop;
    ActivationKeeper keeper{desktop};
};

TEST_F(ActivationKeeperTest, GivesBackAtOnceWhenNothingIsActiveAndOnlyToAWindowThatShows)
{
    keeper.programEnded(kTimerWindow);
    EXPECT_EQ(desktop.given, std::vector<WindowId>{kTimerWindow});
    EXPECT_FALSE(keeper.watching());

    desktop.active_ = 0;
    desktop.shown.erase(kEditor);
    keeper.programEnded(kEditor);
    keeper.programEnded(0);  // nothing had it before
    EXPECT_EQ(desktop.given.size(), 1u);
    EXPECT_FALSE(keeper.watching());
}

TEST_F(ActivationKeeperTest, WaitsUpToTwoSecondsForTheConsoleToLetGoAndGivesToTheLatest)
{
    desktop.active_ = kConsole;
    keeper.programEnded(kEditor);
    desktop.now += 500;
    keeper.programEnded(kTimerWindow);
    lookFor(1400);
    EXPECT_TRUE(desktop.given.empty()) << "the console still has it";
    desktop.active_ = 0;
    lookFor(ActivationKeeper::kLookEveryMs);
    EXPECT_EQ(desktop.given, std::vector<WindowId>{kTimerWindow});
    EXPECT_FALSE(keeper.watching()) << "one give-back ends every watch";
}

TEST_F(ActivationKeeperTest, WhatTheUserOrSystemMadeActiveStaysAndLaterLossesAreNotOurs)
{
    desktop.active_ = kConsole;
    keeper.programEnded(kTimerWindow);
    desktop.active_ = kEditor;  // the user went elsewhere
    lookFor(ActivationKeeper::kLookOnMs - ActivationKeeper::kLookEveryMs);
    EXPECT_TRUE(keeper.watching());
    lookFor(ActivationKeeper::kLookEveryMs);
    EXPECT_FALSE(keeper.watching()) << "two seconds after the end";
    desktop.active_ = 0;
    keeper.look();
    EXPECT_TRUE(desktop.given.empty());
}

}  // namespace
}  // namespace kestrow
