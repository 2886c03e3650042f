#include "platform/win32/dpi.h"

namespace kestrow::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);

}  // namespace

// GetDpiForSystem, GetDpiForWindow and AdjustWindowRectExForDpi come with
// Windows 10 1607, SetProcessDpiAwarenessContext with 1703; before them the
// process has one DPI, the system's (Windows 7 and 8: system DPI aware by
// the manifest; 8.1 and early 10: per monitor, WM_DPICHANGED tells a move).
int systemDpi(FunctionLookup lookup)
{
    const auto getDpiForSystem = findFunction<GetDpiForSystemFn>(lookup, L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int dpiForWindow(HWND window, FunctionLookup lookup)
{
    const auto getDpiForWindow = findFunction<GetDpiForWindowFn>(lookup, L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi) return static_cast<int>(dpi);
    }
    return systemDpi(lookup);
}

SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi, FunctionLookup lookup)
{
    const auto adjustForDpi =
        findFunction<AdjustWindowRectExForDpiFn>(lookup, L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi) {
        adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void declareDpiAwareness(FunctionLookup lookup)
{
    const auto setContext =
        findFunction<SetProcessDpiAwarenessContextFn>(lookup, L"user32.dll", "SetProcessDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; fails harmlessly when the
    // manifest has set the awareness already.
    if (setContext) setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
}

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
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

void keepOnWorkArea(HWND window)
{
    RECT r{};
    if (!window || !IsWindowVisible(window) || !GetWindowRect(window, &r)) return;
    const PixelRect now{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                        static_cast<int>(r.bottom)};
    const PixelRect kept = keptOnWorkArea(now, workAreaPixels(window));
    if (kept == now) return;
    SetWindowPos(window, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kestrow::win32
