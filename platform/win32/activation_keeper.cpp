#include "platform/win32/activation_keeper.h"

namespace kestrow::win32 {

namespace {

HWND handleOf(ActivationKeeper::WindowId window) { return reinterpret_cast<HWND>(window); }
ActivationKeeper::WindowId idOf(HWND window) { return reinterpret_cast<ActivationKeeper::WindowId>(window); }

}  // namespace

void Win32ActivationKeeper::programEnded(HWND activeBefore)
{
    keeper_.programEnded(idOf(activeBefore));
    followKeeper();
}

void Win32ActivationKeeper::onTimer()
{
    keeper_.look();
    followKeeper();
}

// The timer runs exactly while the keeper watches.
void Win32ActivationKeeper::followKeeper()
{
    if (!keeper_.watching()) timer_.stop();
    else if (!timer_.running()) timer_.start(window_, timerId_, ActivationKeeper::kLookEveryMs);
}

ActivationKeeper::WindowId Win32ActivationKeeper::active() const { return idOf(GetForegroundWindow()); }

bool Win32ActivationKeeper::canActivate(ActivationKeeper::WindowId window) const
{
    return IsWindow(handleOf(window)) && IsWindowVisible(handleOf(window));
}

// Windows lets a program set the foreground window while there is none. A
// window that a message box holds hands it on to the box.
void Win32ActivationKeeper::activate(ActivationKeeper::WindowId window)
{
    SetForegroundWindow(GetLastActivePopup(handleOf(window)));
}

std::int64_t Win32ActivationKeeper::nowMs() const { return static_cast<std::int64_t>(GetTickCount64()); }

}  // namespace kestrow::win32
