// The real About window closes with its OK button, and the program ends with
// it as its last window. run_wine_tests.sh runs this once more with a title
// bar of 40 pixels (KESTROW_TEST_CAPTION=40), whose frame alone is higher
// than the 600 twips below which the close animation normally ends.
#include "platform/win32/dpi.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

namespace kestrow::win32 {
namespace {

TEST(AboutWindow, OkClosesItWhateverTheCaptionSizeAndTheProgramEnds)
{
    testing::Win32Program rig;  // the timer window stays unloaded
    auto& about = rig.program.about().show();
    const HWND hwnd = rig.hwndOf(about);

    wchar_t caption[8]{};
    if (GetEnvironmentVariableW(L"KESTROW_TEST_CAPTION", caption, 8)) {
        RECT frame{};
        AdjustWindowRectEx(&frame, GetWindowLongW(hwnd, GWL_STYLE), FALSE, GetWindowLongW(hwnd, GWL_EXSTYLE));
        ASSERT_GE(GetSystemMetrics(SM_CYCAPTION), _wtoi(caption)) << "the caption size was not applied";
        ASSERT_GE(pixelsToTwips(frame.bottom - frame.top, dpiForWindow(hwnd)), AboutWindow::kCloseLimit);
    }

    for (auto end = GetTickCount64() + 10000; about.Timer1->enabled() && GetTickCount64() < end; Sleep(5)) {
        testing::pumpMessages();
    }
    ASSERT_FALSE(about.Timer1->enabled()) << "the opening did not end";
    SendMessageW(rig.control(about, "Command5"), BM_CLICK, 0, 0);

    bool quit = false;
    MSG message;
    for (auto end = GetTickCount64() + 20000; !quit && GetTickCount64() < end; Sleep(5)) {
        while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            quit = message.message == WM_QUIT;
            if (!quit) dispatchMessage(message);
        }
    }
    EXPECT_TRUE(quit) << "the program did not end";
    EXPECT_EQ(rig.program.about().get(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace kestrow::win32
