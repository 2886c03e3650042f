// A timer window shown idle in countdown mode over the in-memory platform:
// the starting point the timer window's unit tests share.
#pragma once

#include "platform/form.h"
#include "tests/support/fake_platform.h"
#include "timer_window/timer_window.h"

#include <string>

namespace kestrow {

struct ShownTimerWindow {
    fake::FakePlatform platform;
    LiveWindows live{platform};
    TimerWindow w{platform.services(), live};
    fake::FakeWindow& fw;

    ShownTimerWindow() : fw((w.show(), *platform.window("Kestrow"))) {}

    // Text1 .. Text4: days, hours, minutes, seconds.
    fake::FakeTextField& field(int i) { return fw.field("Text" + std::to_string(i)); }
};

}  // namespace kestrow
