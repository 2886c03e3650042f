// Areas of the screen: a monitor's work area in pixels, and the same area in
// the twips a window counts its own position in.
#pragma once

namespace kestrow {

// Pixels on the desktop, right and bottom edges outside the area.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline constexpr int kTwipsPerInch = 1440;

// Pixels at `dpi` as twips, the portable code's unit.
double pixelsToTwips(int pixels, int dpi);

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

}  // namespace kestrow
