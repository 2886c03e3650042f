// Areas of the screen: a monitor's work area in pixels, the same area in
// the twips a window counts its own position in, and where on it a window
// goes.
#pragma once

#include "platform/pixels.h"

namespace kestrow {

// An area of the screen in twips.
struct ScreenArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The area in the twips of a window drawn at `dpi`. Each monitor may have a
// scaling of its own, and a window turns its twips into pixels at its own
// DPI: an area measured at any other DPI would put the window off-centre.
ScreenArea toTwips(const PixelRect& pixels, int dpi);

// The left or top edge of a window of this width or height centred on the
// area.
double centredLeft(const ScreenArea& area, double width);
double centredTop(const ScreenArea& area, double height);

// The window moved, as little as it takes, to lie wholly on the work area,
// or to the work area's top-left corner along an axis where it is the
// larger; its size stays.
PixelRect keptOnWorkArea(const PixelRect& window, const PixelRect& work);

}  // namespace kestrow
