// A started program may take the activation: the real shutdown.exe is a
// console program, and its console window, shown minimized with focus, is
// activated for its lifetime. When that window closes, the system picks
// another window to activate, or none (Wine picks none). With none, Tab and
// Enter reach no window until the user clicks one, and a user working in
// another program finds it inactive. The keeper gives the activation back
// to the window that had it when the program was started, and only when no
// window has it for a moment after the program's end: whatever the system
// or the user made active stays.
#pragma once

#include "platform/win32/handles.h"

#include <windows.h>

#include <vector>

namespace kestrow::win32 {

class ActivationKeeper {
public:
    // Its checks come as WM_TIMER to `window` with this id: pass them on to
    // onTimer().
    ActivationKeeper(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}

    // A program started while `activeBefore` was the foreground window has
    // ended. Its console window may still be closing: the keeper looks on
    // for a short while.
    void programEnded(HWND activeBefore);
    void onTimer();
    bool watching() const { return !watches_.empty(); }

private:
    struct Watch {
        HWND activeBefore;
        ULONGLONG untilMs;
    };
    static void giveBack(HWND window);

    HWND window_;
    UINT_PTR timerId_;
    std::vector<Watch> watches_;
    TimerRegistration timer_;
};

}  // namespace kestrow::win32
