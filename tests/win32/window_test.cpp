// Geometry of real windows made through Win32Desktop: client areas, frames
// and positions in whole pixels at the system's DPI. (What every platform
// promises is checked once for all in tests/contract.)
#include "platform/win32/dpi.h"
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

using testing::clientSize;
using testing::hasStyle;
using testing::hwndOf;
using testing::native;
using testing::pumpMessages;

WindowDefinition windowDefinition(std::string caption, int width, int height, Border border = Border::FixedSingle,
                                  Colour background = colours::buttonFace)
{
    WindowDefinition def;
    def.caption = std::move(caption);
    def.clientWidth = width;
    def.clientHeight = height;
    def.border = border;
    def.background = background;
    return def;
}

class WindowTest : public ::testing::Test {
protected:
    std::unique_ptr<NativeWindow> make(WindowDefinition def)
    {
        auto window = desktop.createWindow(std::move(def));
        pumpMessages();
        return window;
    }

    Win32Desktop desktop;
    const int dpi = systemDpi();
};

TEST_F(WindowTest, FixedSingleHasExactClientAreaAndOnlyACloseBox)
{
    auto window = make(windowDefinition("Kestrow", 3450, 7920));
    HWND hwnd = hwndOf(*window);
    if (testing::expectedDpi()) {
        ASSERT_EQ(native(*window).currentDpi(), testing::expectedDpi());
    }
    const SIZE client = clientSize(hwnd);
    EXPECT_EQ(client.cx, twipsToPixels(3450, dpi));
    EXPECT_EQ(client.cy, twipsToPixels(7920, dpi));
    EXPECT_TRUE(hasStyle(hwnd, WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(hasStyle(hwnd, WS_THICKFRAME));
    EXPECT_FALSE(hasStyle(hwnd, WS_MINIMIZEBOX));
    EXPECT_FALSE(hasStyle(hwnd, WS_MAXIMIZEBOX));
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "windows are created hidden";
    // The outer size read back includes the frame.
    EXPECT_GT(window->height(), 7920);
}

TEST_F(WindowTest, BorderlessWindowIsExactlyItsClientSize)
{
    auto window = make(windowDefinition("关注我们", 16650, 10770, Border::None, colours::buttonText));
    HWND hwnd = hwndOf(*window);
    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, twipsToPixels(16650, dpi));
    EXPECT_EQ(outer.bottom - outer.top, twipsToPixels(10770, dpi));
    EXPECT_FALSE(hasStyle(hwnd, WS_CAPTION));
    EXPECT_TRUE(hasStyle(hwnd, WS_POPUP));
    EXPECT_EQ(clientSize(hwnd).cx, outer.right - outer.left);
}

TEST_F(WindowTest, CaptionedWindowShrinksBelow600TwipsAndPositionsReadBackInPixels)
{
    auto window = make(windowDefinition("关于", 6450, 3735));
    window->show();
    // No minimum height of its own, not even its title bar.
    window->setHeight(0);
    EXPECT_DOUBLE_EQ(window->height(), 0);
    window->setHeight(400);
    EXPECT_LT(window->height(), 600);
    EXPECT_GT(window->height(), 0);
    window->setHeight(4035);
    EXPECT_DOUBLE_EQ(window->height(), pixelsToTwips(twipsToPixels(4035, dpi), dpi));

    window->setLeft(1000);
    window->setTop(2000);
    EXPECT_DOUBLE_EQ(window->left(), pixelsToTwips(twipsToPixels(1000, dpi), dpi));
    EXPECT_DOUBLE_EQ(window->top(), pixelsToTwips(twipsToPixels(2000, dpi), dpi));
    // The width read back is the outer one, frame included.
    RECT outer;
    GetWindowRect(hwndOf(*window), &outer);
    EXPECT_DOUBLE_EQ(window->width(), pixelsToTwips(outer.right - outer.left, dpi));
    EXPECT_GT(window->width(), 6450);
}

// Windows 7: no GetDpiForWindow, GetDpiForSystem or AdjustWindowRectExForDpi,
// only the system DPI (the manifest makes the process aware of it). Windows
// still open at that DPI with their exact client area.
TEST(WindowsSeven, WindowsKeepTheirSizeAtTheSystemDpiWithoutTheNewerFunctions)
{
    Win32Desktop desktop(&findNothing);
    const int dpi = systemDpi(&findNothing);
    if (testing::expectedDpi()) {
        ASSERT_EQ(dpi, testing::expectedDpi());
    }
    auto window = desktop.createWindow(windowDefinition("Kestrow", 3450, 7920));
    pumpMessages();
    HWND hwnd = hwndOf(*window);
    EXPECT_EQ(native(*window).currentDpi(), dpi);
    EXPECT_EQ(clientSize(hwnd).cx, twipsToPixels(3450, dpi));
    EXPECT_EQ(clientSize(hwnd).cy, twipsToPixels(7920, dpi));
}

}  // namespace
}  // namespace kestrow::win32
