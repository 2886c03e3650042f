// One failure, one box: the first exception that reaches the adapter's catch
// stops every timer and shows one box; later failures add nothing. A test
// program of its own, since the failure is remembered for the whole process.
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kestrow::win32 {
namespace {

// This program's shown message boxes.
std::vector<HWND> shownBoxes() { return drive::allShown(GetCurrentProcessId(), L"#32770"); }

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
    std::atomic<bool> done = false, enabledBehindBox = true;
    std::atomic<int> mostBoxes = 0, ticksAtBox = -1;
    std::thread watcher([&] {
        if (drive::waitUntil([] { return !shownBoxes().empty(); }, 10000)) {
            ticksAtBox = ticks.load();
            enabledBehindBox = IsWindowEnabled(hwnd) != FALSE;
            // A close request whose handler throws.
            SendMessageTimeoutW(hwnd, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, nullptr);
            for (int n = 0; n < 25; ++n, Sleep(20)) {
                mostBoxes = std::max(mostBoxes.load(), static_cast<int>(shownBoxes().size()));
            }
        }
        for (int quiet = 0; quiet < 15; Sleep(20)) {
            const auto boxes = shownBoxes();
            quiet = boxes.empty() ? quiet + 1 : 0;
            if (!boxes.empty()) PostMessageW(GetDlgItem(boxes.front(), IDOK), BM_CLICK, 0, 0);
        }
        done = true;
    });
    testing::pumpUntil([&] { return done.load(); }, 20000);
    watcher.join();
    testing::pumpFor(200);

    ASSERT_GE(ticksAtBox.load(), 0) << "no box appeared";
    EXPECT_FALSE(enabledBehindBox.load()) << "the box is task-modal";
    EXPECT_EQ(mostBoxes.load(), 1);
    EXPECT_EQ(failingTicks.load(), 1);
    EXPECT_EQ(ticks.load(), ticksAtBox.load()) << "a timer ticked behind the box or after it";
}

}  // namespace
}  // namespace kestrow::win32
