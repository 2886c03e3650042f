// What a window's controls share, made on first use and kept while the
// window lives: fonts by size and underline at the window's DPI, solid
// brushes by colour, the hand cursor of the links and one tooltip window.
#pragma once

#include "platform/controls.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace kestrow::win32 {

class ControlResources {
public:
    // Fonts keyed by size (hundredths of a point) and underline.
    using Fonts = std::map<std::pair<long, bool>, OwnedFont>;

    HFONT font(const FontStyle& style, int dpi);
    HBRUSH brush(COLORREF colour);
    // The hand cursor, or nullptr where it cannot be loaded.
    HCURSOR handCursor();
    // Gives the control of the window a tooltip with this text.
    void addTooltip(HWND window, HWND control, const std::string& text);

    // The fonts made so far, for a new DPI: the controls keep them selected
    // until each has its new one, so the caller frees them after that.
    Fonts takeFonts()
    {
        Fonts taken;
        taken.swap(fonts_);
        return taken;
    }
    // New system colours: the brushes are made again as they are asked for.
    void dropBrushes() { brushes_.clear(); }
    // The window is gone: the tooltip, an owned window, went with it.
    void release();

private:
    Fonts fonts_;
    std::map<COLORREF, OwnedBrush> brushes_;
    OwnedCursor hand_;
    OwnedWindow tooltip_;
};

}  // namespace kestrow::win32
