// What the system says about DPI and monitors: the DPI a window is drawn
// at, the outer size of a window for its client area, the process's DPI
// awareness, and the work areas of monitors. Lengths turn into pixels in
// the portable code (platform/pixels.h), which the in-memory platform
// shares.
#pragma once

#include "platform/screen_area.h"
#include "platform/win32/newer_functions.h"

#include <windows.h>

namespace kestrow::win32 {

// The DPI a window is drawn at: GetDpiForWindow on Windows 10 1607 and
// later, else the system DPI. The newer functions of these are found
// through the lookup (newer_functions.h).
int dpiForWindow(HWND window, FunctionLookup lookup = &findInSystem);
// The system DPI, which is the primary monitor's at sign-in.
int systemDpi(FunctionLookup lookup = &findInSystem);

// The outer size of a window with this style whose client area is
// clientWidth x clientHeight pixels at the given DPI.
SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi,
                        FunctionLookup lookup = &findInSystem);

// Switches the process to per-monitor (v2) awareness when the manifest has
// not already done so; older systems keep their own setting.
void declareDpiAwareness(FunctionLookup lookup = &findInSystem);

// The work area (the monitor less the taskbar) of the monitor nearest to
// the window, or of the primary monitor when there is no window.
PixelRect workAreaPixels(HWND window);

// Moves a shown window where keptOnWorkArea puts it on its monitor's work
// area.
void keepOnWorkArea(HWND window);

}  // namespace kestrow::win32
