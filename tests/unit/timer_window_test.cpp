#include "tests/support/fake_platform.h"
#include "timer_window/timer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow {
namespace {

class TimerWindowTest : public ::testing::Test {
protected:
    TimerWindowTest() { window.show(); }

    fake::FakeWindow& fw() { return *platform.window("Kestrow"); }
    std::vector<std::string> fields()
    {
        return {fw().field("Text1").text(), fw().field("Text2").text(), fw().field("Text3").text(),
                fw().field("Text4").text()};
    }

    fake::FakePlatform platform;
    LiveWindows live{platform};
    TimerWindow window{platform.services(), live};
};

TEST_F(TimerWindowTest, OpensIdleInCountdownMode)
{
    EXPECT_TRUE(fw().isShown());
    EXPECT_EQ(fw().def().clientWidth, 3450);
    EXPECT_EQ(fw().def().clientHeight, 7920);
    EXPECT_EQ(fw().def().background, 0x00C0C0FFu);
    EXPECT_EQ(fields(), (std::vector<std::string>{"0", "0", "1", "0"}));
    EXPECT_EQ(fw().combo("Combo1").text(), "关机");
    EXPECT_EQ(fw().combo("Combo2").text(), "后台模式(推荐)");
    EXPECT_FALSE(fw().combo("Combo2").visible());
    EXPECT_FALSE(fw().button("Command4").visible());
    EXPECT_EQ(fw().label("Label1").caption(), "距离");

    // The designed timer is switched off before anything can tick.
    EXPECT_FALSE(fw().timer("Timer1").enabled());
    EXPECT_FALSE(platform.tick());

    EXPECT_FALSE(fw().button("Command7").enabled());
    EXPECT_TRUE(fw().button("Command6").enabled());
    EXPECT_TRUE(fw().button("Command1").visible());
    EXPECT_TRUE(fw().button("Command1").isDefault());
    EXPECT_FALSE(fw().button("Command2").visible());
    EXPECT_FALSE(fw().button("Command2").enabled());
    EXPECT_FALSE(fw().button("Command5").visible());
    EXPECT_EQ(fw().focus(), &fw().field("Text1"));
    EXPECT_EQ(window.unlockClicks, 0);
}

TEST_F(TimerWindowTest, StartButtonsShareOneSpotAndTheRestFollowTheFocusOrder)
{
    const auto& start = fw().button("Command1").def().bounds;
    for (const char* name : {"Command2", "Command5"}) {
        const auto& other = fw().button(name).def().bounds;
        EXPECT_EQ(std::vector<int>({start.left, start.top, start.width, start.height}),
                  std::vector<int>({other.left, other.top, other.width, other.height}))
            << name;
    }
    EXPECT_EQ(fw().field("Text1").def().tabIndex, 0);
    EXPECT_EQ(fw().button("Command1").def().tabIndex, 2);
    EXPECT_EQ(fw().button("Command5").def().tabIndex, 18);
}

TEST_F(TimerWindowTest, BackToCountdownResetsAllButTheDayCount)
{
    fw().field("Text1").type("3");
    fw().button("Command6").click();
    fw().field("Text2").type("7");
    fw().field("Text3").type("45");
    fw().field("Text4").type("30");

    fw().button("Command7").click();

    EXPECT_EQ(fields(), (std::vector<std::string>{"3", "0", "1", "0"}));
    EXPECT_EQ(fw().label("Label1").caption(), "距离");
    EXPECT_EQ(fw().label("Label6").caption(), "还有");
    EXPECT_EQ(fw().label("Label2").caption(), "天");
    EXPECT_EQ(fw().label("Label3").caption(), "小时");
    EXPECT_EQ(fw().label("Label4").caption(), "分钟");
    EXPECT_EQ(fw().label("Label5").caption(), "秒");
    EXPECT_TRUE(fw().button("Command1").isDefault());
    EXPECT_TRUE(fw().button("Command1").visible());
    EXPECT_FALSE(fw().button("Command5").visible());
    EXPECT_FALSE(fw().button("Command7").enabled());
    EXPECT_TRUE(fw().button("Command6").enabled());
}

TEST_F(TimerWindowTest, LockInputsDisablesEditingButLeavesSettingsAndUnlockUsable)
{
    window.lockInputs();

    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(fw().field(name).enabled()) << name;
    EXPECT_FALSE(fw().combo("Combo1").enabled());
    EXPECT_FALSE(fw().combo("Combo2").enabled());
    EXPECT_FALSE(fw().button("Command6").enabled());
    EXPECT_FALSE(fw().button("Command7").enabled());
    EXPECT_THROW(fw().field("Text3").type("5"), std::logic_error);

    // Nothing else moves: no visibility, no text, no timer.
    EXPECT_TRUE(fw().button("Command1").visible());
    EXPECT_EQ(fields(), (std::vector<std::string>{"0", "0", "1", "0"}));
    EXPECT_FALSE(fw().timer("Timer1").enabled());

    fw().button("Command3").click();
    EXPECT_TRUE(fw().combo("Combo2").visible());
    EXPECT_FALSE(fw().combo("Combo2").enabled());
    fw().button("Command4").click();
    EXPECT_EQ(window.unlockClicks, 1);
}

TEST_F(TimerWindowTest, ClosingUnloadsWithoutRunningAnythingAndEndsTheProgram)
{
    fw().button("Command1").click();
    ASSERT_EQ(platform.commands.size(), 1u);
    fw().requestClose(CloseCause::User);
    EXPECT_FALSE(window.loaded());
    EXPECT_EQ(platform.commands.size(), 1u);
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_FALSE(platform.tick());
}

}  // namespace
}  // namespace kestrow
