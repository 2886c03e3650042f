#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow {
namespace {

// Command2 stops, Command3 shows the settings row, Command4 unlocks.
struct Rig : ShownTimerWindow {
    fake::FakeButton& stop() { return button("Command2"); }
    fake::FakeButton& unlockButton() { return button("Command4"); }
    void showSettings() { button("Command3").click(); }
    void start() { button("Command1").click(); }
};

TEST(UnlockSettings, RowTogglesBothAndNothingElse)
{
    Rig r;
    auto& modes = r.fw.combo("Combo2");
    modes.setText("前台模式(无弹窗)");
    EXPECT_FALSE(modes.visible());
    EXPECT_FALSE(r.unlockButton().visible());
    for (bool shown : {true, false, true}) {
        r.showSettings();
        EXPECT_EQ(modes.visible(), shown);
        EXPECT_EQ(r.unlockButton().visible(), shown);
    }
    EXPECT_EQ(modes.text(), "前台模式(无弹窗)");
    EXPECT_TRUE(modes.enabled());
    EXPECT_FALSE(r.stop().enabled());
    EXPECT_EQ(r.w.unlockClicks, 0);

    // The chosen run mode applies with the row hidden again.
    r.showSettings();
    r.start();
    EXPECT_TRUE(r.platform.commands.empty());
}

TEST(UnlockGuard, ThreePressesUnlockAndOneRelocks)
{
    struct Step {
        bool enabled;
        const char* caption;
        int clicks;
    };
    const std::vector<Step> afterPress = {
        {false, "解锁", 1}, {false, "解锁", 2}, {true, "锁定", 3}, {false, "解锁", 0},
        {false, "解锁", 1}, {false, "解锁", 2}, {true, "锁定", 3},
    };
    Rig r;
    r.showSettings();
    for (std::size_t i = 0; i < afterPress.size(); ++i) {
        SCOPED_TRACE(i + 1);
        r.unlockButton().click();
        EXPECT_EQ(r.stop().enabled(), afterPress[i].enabled);
        EXPECT_EQ(r.unlockButton().caption(), afterPress[i].caption);
        EXPECT_EQ(r.w.unlockClicks, afterPress[i].clicks);
    }
    // The lock is independent of whether the stop button is shown.
    EXPECT_FALSE(r.stop().visible());
}

TEST(UnlockGuard, CountSurvivesTheStartOfACountdown)
{
    Rig r;
    r.showSettings();
    r.unlockButton().click();
    r.unlockButton().click();
    r.start();
    EXPECT_FALSE(r.stop().canClick());
    // Settings and unlock stay usable while the inputs are locked.
    r.showSettings();
    r.showSettings();
    r.unlockButton().click();
    EXPECT_TRUE(r.stop().canClick());
    r.stop().click();
    EXPECT_EQ(r.platform.commands.back(), "shutdown -a");
}

}  // namespace
}  // namespace kestrow
