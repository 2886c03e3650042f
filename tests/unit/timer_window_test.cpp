#include "tests/support/fake_platform.h"
#include "timer_window/timer_window.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(TimerWindowSmoke, Loads)
{
    fake::FakePlatform platform;
    LiveWindows live(platform);
    TimerWindow window(platform.services(), live);
    window.show();
    EXPECT_FALSE(window.Timer1->enabled());
}

}  // namespace
}  // namespace kestrow
