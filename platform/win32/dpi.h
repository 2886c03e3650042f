// Twips, points and pixels at a given DPI, the DPI of a window, and the
// work areas of monitors. Every length the portable code gives is in twips;
// only this file converts.
#pragma once

#include "platform/controls.h"
#include "platform/screen_area.h"
#include "platform/win32/newer_functions.h"

#include <windows.h>

namespace kestrow::win32 {

// The way back, pixelsToTwips, is the portable code's (screen_area.h).
int twipsToPixels(double twips, int dpi);

// A control's rectangle in client pixels; left/top and width/height are
// each rounded on their own, as the portable layout states them.
RECT boundsToPixels(const Bounds& bounds, int dpi);

// The LOGFONT height (negative: character height) for a size in points,
// rounded down to whole pixels.
int fontHeight(double points, int dpi);

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

// Moves the window, as little as it takes, to lie wholly on its monitor's
// work area, or at its top-left corner when it is the larger.
void keepOnWorkArea(HWND window);

}  // namespace kestrow::win32
