// The monitors windows live on: work areas, and keeping a window on one.
#pragma once

#include "platform/screen_area.h"

#include <windows.h>

namespace kestrow::win32 {

// The work area (the monitor less the taskbar) of the monitor nearest to
// the window, or of the primary monitor when there is no window.
PixelRect workAreaPixels(HWND window);

// Moves the window, as little as it takes, to lie wholly on its monitor's
// work area, or at its top-left corner when it is the larger.
void keepOnWorkArea(HWND window);

}  // namespace kestrow::win32
