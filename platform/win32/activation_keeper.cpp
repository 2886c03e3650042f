#include "platform/win32/activation_keeper.h"

#include <algorithm>

namespace kestrow::win32 {

namespace {

// Long enough for a console host to show and close its window after its
// program ended (it may not even have shown it by then); short enough that
// a later loss of the activation is not the program's doing.
constexpr ULONGLONG kLookOnMs = 2000;
constexpr UINT kLookEveryMs = 50;

}  // namespace

void ActivationKeeper::programEnded(HWND activeBefore)
{
    if (!activeBefore) return;  // nothing had it to give back to
    HWND front = GetForegroundWindow();
    if (!front) {
        giveBack(activeBefore);
        return;
    }
    watches_.push_back({activeBefore, GetTickCount64() + kLookOnMs});
    if (!timer_.running()) timer_.start(window_, timerId_, kLookEveryMs);
}

void ActivationKeeper::onTimer()
{
    if (!GetForegroundWindow() && !watches_.empty()) {
        giveBack(watches_.back().activeBefore);
        watches_.clear();
    }
    const ULONGLONG now = GetTickCount64();
    std::erase_if(watches_, [now](const Watch& watch) { return now >= watch.untilMs; });
    if (watches_.empty()) timer_.stop();
}

// Windows lets a program set the foreground window while there is none. A
// window that a message box holds hands it on to the box.
void ActivationKeeper::giveBack(HWND window)
{
    if (!IsWindow(window) || !IsWindowVisible(window)) return;
    SetForegroundWindow(GetLastActivePopup(window));
}

}  // namespace kestrow::win32
