// One failure, one box: the first exception that reaches the adapter's catch
// stops every timer and shows one box; later failures add nothing. A test
// program of its own, since the failure is remembered for the whole process.
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <utility>

namespace kestrow::win32 {
namespace {

// The shown message boxes of a thread; one of them in *box.
int shownBoxes(DWORD thread, HWND* box)
{
    std::pair<int, HWND*> found{0, box};
    EnumThreadWindows(
        thread,
        [](HWND h, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<std::pair<int, HWND*>*>(p);
            wchar_t cls[8]{};
            if (IsWindowVisible(h) && GetClassNameW(h, cls, 8) && wcscmp(cls, L"#32770") == 0) {
                ++f->first;
                *f->second = h;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.first;
}

TEST(Failure, TheFirstShowsOneBoxStopsEveryTimerAndLaterOnesSayNothing)
{
    Win32Desktop desktop;
    WindowDefinition def;
    def.clientWidth = def.clientHeight = 3000;
    def.onCloseRequest = [](CloseCause) { throw std::runtime_error("close failed"); };
    auto window = desktop.createWindow(def);
    std::atomic<int> failingTicks = 0, ticks = 0;
    window->addTimer({"Timer1", 20, true, [&] {
                          if (++failingTicks <= 2) throw std::runtime_error("tick failed");
                      }});
    window->addTimer({"Timer2", 10, true, [&] { ++ticks; }});
    window->show();
    const HWND hwnd = testing::hwndOf(*window);

    // The box holds this thread in its modal loop; another thread watches it,
    // fails once more behind it, and closes whatever boxes there are.
    const DWORD ui = GetCurrentThreadId();
    std::atomic<bool> done = false, enabledBehindBox = true;
    std::atomic<int> mostBoxes = 0, ticksAtBox = -1;
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int waited = 0; waited < 10000 && !shownBoxes(ui, &box); waited += 20) Sleep(20);
        if (box) {
            ticksAtBox = ticks.load();
            enabledBehindBox = IsWindowEnabled(hwnd) != FALSE;
            // A close request whose handler throws.
            SendMessageTimeoutW(hwnd, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, nullptr);
            for (int n = 0; n < 25; ++n, Sleep(20)) mostBoxes = std::max(mostBoxes.load(), shownBoxes(ui, &box));
        }
        for (int quiet = 0; quiet < 15; Sleep(20)) {
            quiet = shownBoxes(ui, &box) ? 0 : quiet + 1;
            if (!quiet) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        }
        done = true;
    });
    for (auto end = GetTickCount64() + 20000; !done && GetTickCount64() < end; Sleep(5)) testing::pumpMessages();
    watcher.join();
    for (int n = 0; n < 10; ++n, Sleep(20)) testing::pumpMessages();

    ASSERT_GE(ticksAtBox.load(), 0) << "no box appeared";
    EXPECT_FALSE(enabledBehindBox.load()) << "the box is task-modal";
    EXPECT_EQ(mostBoxes.load(), 1);
    EXPECT_EQ(failingTicks.load(), 1);
    EXPECT_EQ(ticks.load(), ticksAtBox.load()) << "a timer ticked behind the box or after it";
}

}  // namespace
}  // namespace kestrow::win32
