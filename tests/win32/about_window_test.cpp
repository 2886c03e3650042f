// The real About window closes with its OK button, pressed during its opening
// or once it is open, and the program ends with it as its last window. Its
// heights are read back in whole pixels, where the open and close steps must
// still not cancel each other out. run_wine_tests.sh runs this once more with
// a title bar of 40 pixels (KESTROW_TEST_CAPTION=40), whose frame alone is
// higher than the 600 twips below which the close animation normally ends.
#include "platform/win32/dpi.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

namespace kestrow::win32 {
namespace {

TEST(AboutWindow, OkClosesItDuringItsOpeningOrOpenWhateverTheCaptionSizeAndTheProgramEnds)
{
    for (const bool openInFull : {false, true}) {
        SCOPED_TRACE(openInFull ? "open in full" : "during the opening");
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

        if (openInFull) {
            ASSERT_TRUE(testing::pumpUntil([&] { return !about.Timer1->enabled(); }, 10000))
                << "the opening did not end";
        } else {
            // Ticks come only as this thread takes its messages: one at a
            // time up to the opening's first step.
            MSG message;
            while (about.window().height() <= 0 && GetMessageW(&message, nullptr, 0, 0)) dispatchMessage(message);
            ASSERT_TRUE(about.Timer1->enabled());
        }
        SendMessageW(rig.control(about, "Command5"), BM_CLICK, 0, 0);

        EXPECT_TRUE(drive::waitUntil([] { return testing::pumpMessages(); }, 20000)) << "the program did not end";
        EXPECT_EQ(rig.program.about().get(), nullptr);
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

}  // namespace
}  // namespace kestrow::win32
