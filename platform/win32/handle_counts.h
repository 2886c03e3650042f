// Live counts of the Win32 handles the adapter owns. GetGuiResources is a
// stub under Wine, so the RAII owners count what they hold themselves and
// tests compare these counts before and after opening windows.
#pragma once

namespace kestrow::win32 {

struct HandleCounts {
    int windows = 0;       // top-level, child, tooltip and message-only windows
    int gdiObjects = 0;    // fonts, brushes, bitmaps
    int iconsCursors = 0;  // window icons and the hand cursor
    int timers = 0;        // running SetTimer timers
    int menus = 0;         // popup menus

    bool operator==(const HandleCounts&) const = default;
};

// The program's one user-interface thread is the only user of the counts.
HandleCounts& handleCounts();

}  // namespace kestrow::win32
