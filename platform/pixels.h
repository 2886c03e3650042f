// Lengths between the portable code's twips and points and a screen's
// pixels at a given DPI: the one place both platforms round them.
#pragma once

#include "platform/controls.h"

namespace kestrow {

inline constexpr int kTwipsPerInch = 1440;

// Pixels on the desktop or in a client area, right and bottom edges outside
// the area.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// Twips at `dpi` as whole pixels, halves away from zero.
int twipsToPixels(double twips, int dpi);
// Pixels at `dpi` as twips, exactly.
double pixelsToTwips(int pixels, int dpi);

// A control's rectangle in client pixels: left/top and width/height are each
// rounded on their own, as the portable layout states them.
PixelRect boundsToPixels(const Bounds& bounds, int dpi);

// The character height in pixels of a font of this size in points, rounded
// down to whole pixels.
int fontPixelHeight(double points, int dpi);

}  // namespace kestrow
