#include "platform/screen_area.h"

#include <algorithm>

namespace kestrow {

ScreenArea toTwips(const PixelRect& pixels, int dpi)
{
    return {pixelsToTwips(pixels.left, dpi), pixelsToTwips(pixels.top, dpi),
            pixelsToTwips(pixels.right - pixels.left, dpi), pixelsToTwips(pixels.bottom - pixels.top, dpi)};
}

// Half the area less half the window, as on a single screen at the origin,
// so that there the result is exactly what it always was.
double centredLeft(const ScreenArea& area, double width) { return area.left + (area.width / 2 - width / 2); }
double centredTop(const ScreenArea& area, double height) { return area.top + (area.height / 2 - height / 2); }

// Against the far edge first, then the near one: a window larger than the
// area keeps its title bar and top-left corner on it.
PixelRect keptOnWorkArea(const PixelRect& window, const PixelRect& work)
{
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = std::max(std::min(window.left, work.right - width), work.left);
    const int top = std::max(std::min(window.top, work.bottom - height), work.top);
    return {left, top, left + width, top + height};
}

}  // namespace kestrow
