// The activation keeper (platform/activation_keeper.h) on Win32: the
// foreground window for the active one, and a timer on the desktop's
// message window for its looks.
#pragma once

#include "platform/activation_keeper.h"
#include "platform/win32/handles.h"

#include <windows.h>

namespace kestrow::win32 {

class Win32ActivationKeeper final : private ActivationKeeper::System {
public:
    // Its looks come as WM_TIMER to `window` with this id: pass them on to
    // onTimer().
    Win32ActivationKeeper(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}

    // A program started while `activeBefore` was the foreground window has
    // ended.
    void programEnded(HWND activeBefore);
    void onTimer();
    bool watching() const { return keeper_.watching(); }

private:
    ActivationKeeper::WindowId active() const override;
    bool canActivate(ActivationKeeper::WindowId window) const override;
    void activate(ActivationKeeper::WindowId window) override;
    std::int64_t nowMs() const override;
    void followKeeper();

    HWND window_;
    UINT_PTR timerId_;
    ActivationKeeper keeper_{*this};
    TimerRegistration timer_;
};

}  // namespace kestrow::win32
