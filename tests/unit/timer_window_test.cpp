#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow {
namespace {

class TimerWindowTest : public ::testing::Test, protected ShownTimerWindow {};

TEST_F(TimerWindowTest, OpensIdleInCountdownMode)
{
    EXPECT_TRUE(fw.isShown());
    EXPECT_EQ(fw.def().clientWidth, 3450);
    EXPECT_EQ(fw.def().clientHeight, 7920);
    EXPECT_EQ(fw.def().background, 0x00C0C0FFu);
    EXPECT_EQ(fields(), "0 0 1 0");
    EXPECT_EQ(fw.combo("Combo1").text(), "关机");
    EXPECT_EQ(fw.combo("Combo2").text(), "后台模式(推荐)");
    EXPECT_FALSE(fw.combo("Combo2").visible());
    EXPECT_FALSE(button("Command4").visible());
    EXPECT_EQ(fw.label("Label1").caption(), "距离");

    // The designed timer is switched off before anything can tick.
    EXPECT_FALSE(fw.timer("Timer1").enabled());
    EXPECT_FALSE(platform.tick());

    EXPECT_FALSE(button("Command7").enabled());
    EXPECT_TRUE(button("Command6").enabled());
    EXPECT_TRUE(button("Command1").visible());
    EXPECT_EQ(fw.defaultButton(), &button("Command1"));
    EXPECT_FALSE(button("Command2").visible());
    EXPECT_FALSE(button("Command2").enabled());
    EXPECT_FALSE(button("Command5").visible());
    EXPECT_EQ(fw.focus(), &field(1));
    EXPECT_EQ(w.unlockClicks, 0);
}

TEST_F(TimerWindowTest, StartButtonsShareOneSpotAndTheRestFollowTheFocusOrder)
{
    const auto& start = button("Command1").def().bounds;
    for (const char* name : {"Command2", "Command5"}) {
        const auto& other = button(name).def().bounds;
        EXPECT_EQ(std::vector<int>({start.left, start.top, start.width, start.height}),
                  std::vector<int>({other.left, other.top, other.width, other.height}))
            << name;
    }
    EXPECT_EQ(field(1).def().tabIndex, 0);
    EXPECT_EQ(button("Command1").def().tabIndex, 2);
    EXPECT_EQ(button("Command5").def().tabIndex, 18);
}

TEST_F(TimerWindowTest, LockInputsDisablesEditingButLeavesSettingsAndUnlockUsable)
{
    w.lockInputs();

    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(field(i).enabled()) << i;
    EXPECT_FALSE(fw.combo("Combo1").enabled());
    EXPECT_FALSE(fw.combo("Combo2").enabled());
    EXPECT_FALSE(button("Command6").enabled());
    EXPECT_FALSE(button("Command7").enabled());
    EXPECT_THROW(field(3).type("5"), std::logic_error);

    // Nothing else moves: no visibility, no text, no timer.
    EXPECT_TRUE(button("Command1").visible());
    EXPECT_EQ(fields(), "0 0 1 0");
    EXPECT_FALSE(fw.timer("Timer1").enabled());

    button("Command3").click();
    EXPECT_TRUE(fw.combo("Combo2").visible());
    EXPECT_FALSE(fw.combo("Combo2").enabled());
    button("Command4").click();
    EXPECT_EQ(w.unlockClicks, 1);
}

TEST_F(TimerWindowTest, ClosingUnloadsWithoutRunningAnything)
{
    button("Command1").click();
    ASSERT_EQ(platform.commands.size(), 1u);
    fw.requestClose(CloseCause::User);
    EXPECT_FALSE(w.loaded());
    EXPECT_EQ(platform.commands.size(), 1u);
    EXPECT_FALSE(platform.tick());
}

}  // namespace
}  // namespace kestrow
