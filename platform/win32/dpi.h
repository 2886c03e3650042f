// Twips, points and pixels at a given DPI, and the DPI of a window. Every
// length the portable code gives is in twips; only this file converts.
#pragma once

#include "platform/controls.h"

#include <windows.h>

namespace kestrow::win32 {

constexpr int kTwipsPerInch = 1440;

int twipsToPixels(double twips, int dpi);
double pixelsToTwips(int pixels, int dpi);

// A control's rectangle in client pixels; left/top and width/height are
// each rounded on their own, as the portable layout states them.
RECT boundsToPixels(const Bounds& bounds, int dpi);

// The LOGFONT height (negative: character height) for a size in points,
// rounded down to whole pixels.
int fontHeight(double points, int dpi);

// The DPI a window is drawn at: GetDpiForWindow on Windows 10 1607 and
// later, else the system DPI.
int dpiForWindow(HWND window);
// The system DPI, which is the primary monitor's at sign-in.
int systemDpi();

// The outer size of a window with this style whose client area is
// clientWidth x clientHeight pixels at the given DPI.
SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// Switches the process to per-monitor (v2) awareness when the manifest has
// not already done so; older systems keep their own setting.
void declareDpiAwareness();

}  // namespace kestrow::win32
