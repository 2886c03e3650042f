#include "platform/win32/monitors.h"

#include <algorithm>

namespace kestrow::win32 {

PixelRect workAreaPixels(HWND window)
{
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                              : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& r = info.rcWork;
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

void keepOnWorkArea(HWND window)
{
    RECT r{};
    if (!window || !IsWindowVisible(window) || !GetWindowRect(window, &r)) return;
    const PixelRect work = workAreaPixels(window);
    const long x = std::max<long>(std::min<long>(r.left, work.right - (r.right - r.left)), work.left);
    const long y = std::max<long>(std::min<long>(r.top, work.bottom - (r.bottom - r.top)), work.top);
    if (x == r.left && y == r.top) return;
    SetWindowPos(window, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kestrow::win32
