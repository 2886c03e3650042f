#include "platform/screen_area.h"

namespace kestrow {

double pixelsToTwips(int pixels, int dpi) { return static_cast<double>(pixels) * kTwipsPerInch / dpi; }

ScreenArea toTwips(const PixelRect& pixels, int dpi)
{
    return {pixelsToTwips(pixels.left, dpi), pixelsToTwips(pixels.top, dpi),
            pixelsToTwips(pixels.right - pixels.left, dpi), pixelsToTwips(pixels.bottom - pixels.top, dpi)};
}

// Half the area less half the window, as on a single screen at the origin,
// so that there the result is exactly what it always was.
double centredLeft(const ScreenArea& area, double width) { return area.left + (area.width / 2 - width / 2); }
double centredTop(const ScreenArea& area, double height) { return area.top + (area.height / 2 - height / 2); }

}  // namespace kestrow
