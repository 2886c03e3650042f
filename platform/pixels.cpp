#include "platform/pixels.h"

#include <cmath>

namespace kestrow {

int twipsToPixels(double twips, int dpi) { return static_cast<int>(std::llround(twips * dpi / kTwipsPerInch)); }

double pixelsToTwips(int pixels, int dpi) { return static_cast<double>(pixels) * kTwipsPerInch / dpi; }

PixelRect boundsToPixels(const Bounds& bounds, int dpi)
{
    const int left = twipsToPixels(bounds.left, dpi);
    const int top = twipsToPixels(bounds.top, dpi);
    return {left, top, left + twipsToPixels(bounds.width, dpi), top + twipsToPixels(bounds.height, dpi)};
}

// Rounded down, not to nearest: the labels are exactly as wide as their text
// at 96 DPI ("小时" at 21.75 pt in 870 twips), and a font rounded up at
// 144 DPI (43.5 -> 44 px) no longer fits and wraps the second character.
// Two rounded-down characters never exceed the rounded box width.
int fontPixelHeight(double points, int dpi) { return static_cast<int>(std::floor(points * dpi / 72.0 + 1e-9)); }

}  // namespace kestrow
