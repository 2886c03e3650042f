// The program's three windows put together: the timer window shown at the
// start, and the About and follow windows created when first shown. Only
// here do the windows meet: each asks for the others through the callbacks
// it is given. The program ends (Desktop::quit) when whichever window is
// last unloads.
#pragma once

#include "about_window/about_window.h"
#include "follow_window/follow_window.h"
#include "platform/form.h"
#include "timer_window/timer_window.h"

namespace kestrow {

class Program {
public:
    explicit Program(Services& services);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the timer window; the caller then runs the event loop.
    void start();

    TimerWindow& timerWindow() { return timer_; }
    FormSlot<AboutWindow>& about() { return about_; }
    FormSlot<FollowWindow>& follow() { return follow_; }

private:
    // Destroyed in reverse order: the About window's callbacks refer to the
    // follow slot, and every window to the live count.
    LiveWindows live_;
    FormSlot<FollowWindow> follow_;
    FormSlot<AboutWindow> about_;
    TimerWindow timer_;
};

}  // namespace kestrow
