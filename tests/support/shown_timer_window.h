// A timer window shown idle in countdown mode over the in-memory platform:
// where the timer window's unit tests and its fuzz harness start.
#pragma once

#include "platform/form.h"
#include "tests/support/fake_platform.h"
#include "timer_window/timer_window.h"

#include <sstream>
#include <string>

namespace kestrow {

struct ShownTimerWindow {
    fake::FakePlatform platform;
    LiveWindows live{platform};
    int aboutShown = 0;  // what the popup item about asked of the program
    TimerWindow w{platform.services(), live, [this] { ++aboutShown; }};
    fake::FakeWindow& fw;

    ShownTimerWindow() : fw((w.show(), *platform.window("Kestrow"))) {}

    // Text1 .. Text4: days, hours, minutes, seconds.
    fake::FakeTextField& field(int i) { return fw.field("Text" + std::to_string(i)); }
    fake::FakeButton& button(const std::string& name) { return fw.button(name); }

    // The four fields as "d h m s".
    std::string fields()
    {
        return field(1).text() + " " + field(2).text() + " " + field(3).text() + " " + field(4).text();
    }
    // "d h m s" typed by the user, field by field.
    void type(const std::string& texts)
    {
        std::istringstream in(texts);
        std::string text;
        for (int i = 1; i <= 4 && in >> text; ++i) field(i).type(text);
    }
    // 设置, then 解锁 three times: the stop button can be pressed.
    void unlock()
    {
        button("Command3").click();
        for (int i = 0; i < 3; ++i) button("Command4").click();
    }
};

}  // namespace kestrow
