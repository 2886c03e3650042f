#include "tests/support/fake_platform.h"
#include "app/program.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { program.start(); }

    fake::FakePlatform platform;
    Program program{platform.services()};

    fake::FakeWindow& timerWindow() { return *platform.window("Kestrow"); }
    void chooseAbout()
    {
        timerWindow().choosePopupItem("about");
        timerWindow().mouseDown(mouse::right);
    }
    void settle()
    {
        for (int n = 0; n < 2000 && platform.tick(); ++n) {
        }
    }
};

TEST_F(ProgramTest, EndsWithWhicheverWindowIsLast)
{
    // Timer window first: the About and follow windows keep the program on.
    chooseAbout();
    platform.window("关于")->label("Label8").click();
    timerWindow().requestClose(CloseCause::User);
    EXPECT_FALSE(platform.quitRequested());
    platform.window("关于")->requestClose(CloseCause::User);
    settle();
    EXPECT_EQ(program.about().get(), nullptr);
    EXPECT_FALSE(platform.quitRequested());
    platform.window("关注我们")->click();
    settle();
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(ProgramTest, ClosingAboutLeavesTheTimerWindowRunning)
{
    chooseAbout();
    platform.window("关于")->requestClose(CloseCause::User);
    settle();
    EXPECT_FALSE(platform.quitRequested());
    timerWindow().requestClose(CloseCause::User);
    EXPECT_TRUE(platform.quitRequested());
}

}  // namespace
}  // namespace kestrow
