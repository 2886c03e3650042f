#include "tests/support/in_memory_program.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

class ProgramTest : public ::testing::Test, protected InMemoryProgram {
protected:
    ProgramTest() { program.start(); }

    fake::FakeWindow& timerWindow() { return *platform.window("Kestrow"); }
    void chooseAbout()
    {
        timerWindow().choosePopupItem("about");
        timerWindow().mouseDown(mouse::right);
    }
};

TEST_F(ProgramTest, EndsWithWhicheverWindowIsLast)
{
    // Timer window first: the About and follow windows keep the program on.
    chooseAbout();
    aboutWindow()->label("Label8").click();
    timerWindow().requestClose(CloseCause::User);
    EXPECT_FALSE(platform.quitRequested());
    aboutWindow()->requestClose(CloseCause::User);
    platform.tickUntilNoTimerRuns();
    EXPECT_EQ(program.about().get(), nullptr);
    EXPECT_FALSE(platform.quitRequested());
    followWindow()->click();
    platform.tickUntilNoTimerRuns();
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(ProgramTest, ClosingAboutLeavesTheTimerWindowRunning)
{
    chooseAbout();
    aboutWindow()->requestClose(CloseCause::User);
    platform.tickUntilNoTimerRuns();
    EXPECT_FALSE(platform.quitRequested());
    timerWindow().requestClose(CloseCause::User);
    EXPECT_TRUE(platform.quitRequested());
}

}  // namespace
}  // namespace kestrow
