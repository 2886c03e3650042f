// Benchmark driver: runs under Wine next to kestrow.exe and works its windows
// through ordinary window messages (tests/e2e/window_driver.h), printing
// key=value lines with wall-clock stamps (unix seconds) for the bench script.
//
//   driver.exe countdown D H M S LOG TIMEOUT   foreground countdown; time from the
//                                              start click to "shutdown -s -t 0" in LOG
//   driver.exe about                           popup menu -> "关于", time to full height
//   driver.exe spawn COMMAND LINE...           start a process, print the stamp
//   driver.exe floor-ticks SECONDS             a window with one edit field like a duration field,
//                                              its text counted down once a second; prints
//                                              ticking= at the first and ticked= after the last
//                                              (the CPU floor of a once-a-second repaint here)
#include "tests/e2e/window_driver.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace kestrow::drive;

double unixNow() { return unixSeconds(fileTimeNow()); }

[[noreturn]] void fail(const char* what)
{
    std::printf("error=%s\n", what);
    std::fflush(stdout);
    std::exit(2);
}

HWND timerWindow()
{
    HWND main = nullptr;
    if (!waitUntil([&] { return (main = findShown(0, L"", L"Kestrow")) != nullptr; }, 15000)) fail("no-timer-window");
    return main;
}

int countdown(int argc, wchar_t** argv)
{
    if (argc < 8) fail("usage");
    const CommandLog log(argv[6]);
    const int timeoutS = _wtoi(argv[7]);

    HWND main = timerWindow();
    const auto edits = children(main, L"Edit");
    const auto combos = children(main, L"ComboBox");
    HWND start = child(main, L"Button", L"走起!");
    HWND settings = child(main, L"Button", L"设置");
    if (edits.size() < 4 || combos.size() < 2 || !start || !settings) fail("controls-not-found");
    HWND runMode = combos.back();

    if (!shown(runMode) && !(click(settings) && shown(runMode))) fail("settings-click-had-no-effect");
    if (!setText(runMode, L"前台模式(无弹窗)") || textOf(runMode) != L"前台模式(无弹窗)") fail("run-mode-not-set");
    for (int i = 0; i < 4; ++i)
        if (!setText(edits[i], argv[2 + i]) || textOf(edits[i]) != argv[2 + i]) fail("field-not-set");

    const double clickedAt = unixNow();
    postClick(start);
    if (!waitUntil([&] { return !shown(start); }, 1500)) fail("start-click-had-no-effect");
    std::printf("click=%.6f\n", clickedAt);
    std::fflush(stdout);

    // The stamp comes from the recorder, so a slow look costs no accuracy and
    // keeps the driver's own file requests out of wineserver's CPU figure.
    int earlier = 0;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutS) * 1000ULL;
    for (; GetTickCount64() < end; Sleep(100)) {
        earlier = 0;
        for (const RecordedCommand& command : log.all()) {
            if (command.line.find("-s -t 0") == std::string::npos) {
                ++earlier;
                continue;
            }
            const double at = unixSeconds(command.stamp);
            std::printf("command=%.6f\ndelta=%.6f\nearlier_commands=%d\n", at, at - clickedAt, earlier);
            return 0;
        }
    }
    std::printf("earlier_commands=%d\n", earlier);
    fail("no-zero-command");
}

int about()
{
    HWND main = timerWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    if (findShown(pid, L"", L"关于")) fail("about-already-open");

    HWND menu = openPopupMenu(main);
    if (!menu) fail("no-popup-menu");
    Sleep(50);  // let the menu loop settle before choosing
    const double chosen = unixNow();
    choose(menu, 1);  // "关于"

    HWND box = nullptr;
    double firstSeen = 0, lastChange = 0;
    int lastHeight = -1, firstHeight = -1, changes = 0;
    const ULONGLONG end = GetTickCount64() + 5000;
    for (; GetTickCount64() < end; Sleep(1)) {
        if (!box && (box = findShown(pid, L"", L"关于")) != nullptr) firstSeen = unixNow();
        if (!box) continue;
        const int h = height(box);
        const double now = unixNow();
        if (h != lastHeight) {
            if (firstHeight < 0) firstHeight = h;
            lastHeight = h;
            lastChange = now;
            ++changes;
        }
        if (now - lastChange > 0.4) break;
    }
    if (!box) fail("about-window-not-shown");
    std::printf("about_ms=%.1f\nfirst_seen_ms=%.1f\nfirst_height_px=%d\nfull_height_px=%d\nheight_changes=%d\n",
                (lastChange - chosen) * 1000.0, (firstSeen - chosen) * 1000.0, firstHeight, lastHeight, changes);
    std::fflush(stdout);

    // Closed again with its OK button ("好"), which rolls it up and destroys it.
    postClick(child(box, L"Button", L"好"));
    if (!waitUntil([&] { return !IsWindow(box); }, 3000)) PostMessageW(box, WM_CLOSE, 0, 0);
    return 0;
}

int spawn(int argc, wchar_t** argv)
{
    std::wstring line;
    for (int i = 2; i < argc; ++i) line += (i > 2 ? L" " : L"") + std::wstring(argv[i]);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double at = unixNow();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        fail("spawn-failed");
    std::printf("spawn=%.6f\n", at);
    std::fflush(stdout);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

// The smallest program that does what a countdown tick makes Wine do: replace
// the text of one centred, sunken edit field in the duration fields' font and
// colours, once a second. Nothing else runs in it.
int floorTicks(int seconds)
{
    struct State {
        HWND edit = nullptr;
        HBRUSH pink = nullptr;
        int left = 0;
    };
    static State state;  // the window procedure below has no other way to it
    state.left = seconds;
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        switch (m) {
        case WM_CTLCOLOREDIT:
            SetBkColor(reinterpret_cast<HDC>(w), RGB(0xFF, 0xC0, 0xC0));
            return reinterpret_cast<LRESULT>(state.pink);
        case WM_TIMER:
            if (--state.left < 0) {
                KillTimer(h, 1);
                std::printf("ticked=%.6f\n", unixNow());
                std::fflush(stdout);
                return 0;
            }
            SetWindowTextW(state.edit, std::to_wstring(state.left).c_str());
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        }
        return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0xFF, 0xC0, 0xC0));
    wc.lpszClassName = L"KestrowBenchFloorTicks";
    RegisterClassW(&wc);
    state.pink = wc.hbrBackground;
    HWND h = CreateWindowExW(0, wc.lpszClassName, L"KestrowBenchFloorTicks", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                             CW_USEDEFAULT, CW_USEDEFAULT, 240, 570, nullptr, nullptr, wc.hInstance, nullptr);
    state.edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", std::to_wstring(seconds).c_str(),
                                 WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL, 56, 368, 57, 41, h, nullptr,
                                 wc.hInstance, nullptr);
    HFONT font = CreateFontW(-29, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 134, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"微软雅黑");
    SendMessageW(state.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    SetTimer(h, 1, 1000, nullptr);
    std::printf("ticking=%.6f\n", unixNow());
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    DeleteObject(state.pink);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // plain LF line ends for the script
    if (argc < 2) fail("usage");
    const std::wstring what = argv[1];
    if (what == L"countdown") return countdown(argc, argv);
    if (what == L"about") return about();
    if (what == L"spawn") return spawn(argc, argv);
    if (what == L"floor-ticks" && argc > 2) return floorTicks(_wtoi(argv[2]));
    fail("usage");
}
