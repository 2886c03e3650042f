// Benchmark driver: runs under Wine next to kestrow.exe and works its windows
// through ordinary window messages, printing key=value lines with wall-clock
// stamps (unix seconds, GetSystemTimePreciseAsFileTime) for the bench script.
//
//   driver.exe countdown D H M S LOG TIMEOUT   foreground countdown; time from the
//                                              start click to "shutdown -s -t 0" in LOG
//   driver.exe about                           popup menu -> "关于", time to full height
//   driver.exe spawn COMMAND LINE...           start a process, print the stamp
//   driver.exe floor [TITLE]                   show an empty window, "KestrowBenchFloor" by default
//                                              (the start-up floor of any Win32 window here)
//   driver.exe floor-ticks SECONDS             a window with one edit field like a duration field,
//                                              its text counted down once a second; prints
//                                              ticking= at the first and ticked= after the last
//                                              (the CPU floor of a once-a-second repaint here)
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

// FILETIME counts 100 ns units from 1601; the recorder's log stamps are FILETIMEs.
double unixSeconds(unsigned long long filetime) {
    return static_cast<double>(filetime - 116444736000000000ULL) / 1e7;
}

double unixNow() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return unixSeconds((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

[[noreturn]] void fail(const char* what) {
    std::printf("error=%s\n", what);
    std::fflush(stdout);
    std::exit(2);
}

std::wstring className(HWND h) {
    wchar_t buffer[256] = {};
    GetClassNameW(h, buffer, 256);
    return buffer;
}

// WM_GETTEXT is marshalled across processes; GetWindowTextW would not ask the control.
std::wstring textOf(HWND h) {
    wchar_t buffer[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 2000, &ignored);
    return buffer;
}

bool setText(HWND h, const wchar_t* text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
    return textOf(h) == text;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < end) {
        if (condition()) return true;
        Sleep(1);
    }
    return condition();
}

DWORD pidOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

// A shown top-level window with this class and/or caption, optionally of one process.
HWND findTop(const wchar_t* cls, const wchar_t* caption, DWORD pid = 0) {
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, cls, caption)) != nullptr) {
        if (IsWindowVisible(h) && (pid == 0 || pidOf(h) == pid)) return h;
    }
    return nullptr;
}

struct Child {
    HWND hwnd;
    std::wstring cls;
    RECT rect;  // in the parent's client coordinates
};

std::vector<Child> directChildren(HWND parent) {
    struct Ctx {
        HWND parent;
        std::vector<Child> out;
    } ctx{parent, {}};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(p);
            if (GetAncestor(h, GA_PARENT) != c->parent) return TRUE;
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(HWND_DESKTOP, c->parent, reinterpret_cast<POINT*>(&r), 2);
            c->out.push_back({h, className(h), r});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.out;
}

std::vector<HWND> byClassTopDown(const std::vector<Child>& kids, const wchar_t* cls) {
    std::vector<Child> picked;
    for (const auto& k : kids)
        if (_wcsicmp(k.cls.c_str(), cls) == 0) picked.push_back(k);
    std::sort(picked.begin(), picked.end(), [](const Child& a, const Child& b) { return a.rect.top < b.rect.top; });
    std::vector<HWND> out;
    for (const auto& k : picked) out.push_back(k.hwnd);
    return out;
}

HWND buttonWithText(const std::vector<Child>& kids, const wchar_t* text) {
    for (const auto& k : kids)
        if (_wcsicmp(k.cls.c_str(), L"Button") == 0 && textOf(k.hwnd) == text) return k.hwnd;
    return nullptr;
}

// The way a click reaches the window without input focus: BM_CLICK, and the
// parent's WM_COMMAND only if the button did not react.
void clickAndWait(HWND parent, HWND button, const std::function<bool()>& reacted) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &ignored);
    if (waitUntil(reacted, 1000)) return;
    SendMessageTimeoutW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button), SMTO_NORMAL, 2000, &ignored);
    if (!waitUntil(reacted, 1000)) fail("click-had-no-effect");
}

long long fileSize(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string readFrom(const wchar_t* path, long long offset) {
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER at;
    at.QuadPart = offset;
    SetFilePointerEx(f, at, nullptr, FILE_BEGIN);
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(f);
    return out;
}

int countdown(int argc, wchar_t** argv) {
    if (argc < 8) fail("usage");
    const wchar_t* fields[4] = {argv[2], argv[3], argv[4], argv[5]};
    const wchar_t* log = argv[6];
    const int timeoutS = _wtoi(argv[7]);

    HWND main = nullptr;
    if (!waitUntil([&] { return (main = findTop(nullptr, L"Kestrow")) != nullptr; }, 15000)) fail("no-timer-window");
    const auto kids = directChildren(main);
    const auto edits = byClassTopDown(kids, L"Edit");
    const auto combos = byClassTopDown(kids, L"ComboBox");
    HWND start = buttonWithText(kids, L"走起!");
    HWND settings = buttonWithText(kids, L"设置");
    if (edits.size() < 4 || combos.size() < 2 || !start || !settings) fail("controls-not-found");
    HWND runMode = combos.back();

    if (!IsWindowVisible(runMode)) clickAndWait(main, settings, [&] { return IsWindowVisible(runMode) != FALSE; });
    if (!setText(runMode, L"前台模式(无弹窗)")) fail("run-mode-not-set");
    for (int i = 0; i < 4; ++i)
        if (!setText(edits[i], fields[i])) fail("field-not-set");

    const long long before = fileSize(log);
    double click = unixNow();
    PostMessageW(start, BM_CLICK, 0, 0);
    if (!waitUntil([&] { return !IsWindowVisible(start); }, 1500)) {
        // BM_CLICK did not get through: hand the parent the button's notification.
        click = unixNow();
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(start), BN_CLICKED), reinterpret_cast<LPARAM>(start));
        if (!waitUntil([&] { return !IsWindowVisible(start); }, 1500)) fail("start-click-had-no-effect");
        std::printf("note=start-via-wm-command\n");
    }
    std::printf("click=%.6f\n", click);
    std::fflush(stdout);

    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutS) * 1000ULL;
    int others = 0;
    while (GetTickCount64() < end) {
        const std::string added = readFrom(log, before);
        size_t pos = 0;
        others = 0;
        while (pos < added.size()) {
            const size_t nl = added.find('\n', pos);
            if (nl == std::string::npos) break;
            const std::string line = added.substr(pos, nl - pos);
            pos = nl + 1;
            if (line.find("-s -t 0") != std::string::npos) {
                const double at = unixSeconds(std::strtoull(line.c_str(), nullptr, 10));
                std::printf("command=%.6f\ndelta=%.6f\nearlier_commands=%d\n", at, at - click, others);
                std::fflush(stdout);
                return 0;
            }
            ++others;
        }
        // The stamp comes from the recorder, so a slow look costs no accuracy and
        // keeps the driver's own file requests out of wineserver's CPU figure.
        Sleep(100);
    }
    std::printf("earlier_commands=%d\n", others);
    fail("no-zero-command");
}

int about() {
    HWND main = nullptr;
    if (!waitUntil([&] { return (main = findTop(nullptr, L"Kestrow")) != nullptr; }, 15000)) fail("no-timer-window");
    const DWORD pid = pidOf(main);
    if (findTop(nullptr, L"关于", pid)) fail("about-already-open");

    // A point of the window's own background, not on a control.
    RECT client;
    GetClientRect(main, &client);
    POINT at{-1, -1};
    for (int y = client.bottom / 4; y < client.bottom && at.x < 0; y += 7)
        for (int x = 2; x < client.right / 2; x += 3) {
            POINT p{x, y};
            if (ChildWindowFromPointEx(main, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT) == main) {
                at = p;
                break;
            }
        }
    if (at.x < 0) fail("no-background-point");

    PostMessageW(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    HWND menu = nullptr;
    if (!waitUntil([&] { return (menu = findTop(L"#32768", nullptr, pid)) != nullptr; }, 3000)) fail("no-popup-menu");
    Sleep(50);  // let the menu loop settle before choosing
    // The menu loop reads keys from the thread's queue: Down, Down -> "关于", Enter.
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    Sleep(30);
    const double chosen = unixNow();
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);

    HWND box = nullptr;
    double firstSeen = 0, lastChange = 0;
    int lastHeight = -1, firstHeight = -1, changes = 0;
    const ULONGLONG end = GetTickCount64() + 5000;
    while (GetTickCount64() < end) {
        if (!box) {
            box = findTop(nullptr, L"关于", pid);
            if (box) firstSeen = unixNow();
        }
        if (box) {
            RECT r;
            if (GetWindowRect(box, &r)) {
                const int h = r.bottom - r.top;
                const double now = unixNow();
                if (h != lastHeight) {
                    if (firstHeight < 0) firstHeight = h;
                    lastHeight = h;
                    lastChange = now;
                    ++changes;
                }
                if (now - lastChange > 0.4) break;
            }
        }
        Sleep(1);
    }
    if (!box) fail("about-window-not-shown");
    std::printf("about_ms=%.1f\nfirst_seen_ms=%.1f\nfirst_height_px=%d\nfull_height_px=%d\nheight_changes=%d\n",
                (lastChange - chosen) * 1000.0, (firstSeen - chosen) * 1000.0, firstHeight, lastHeight, changes);
    std::fflush(stdout);

    // Close it again with its OK button ("好"), which rolls it up and destroys it.
    const auto kids = directChildren(box);
    HWND ok = buttonWithText(kids, L"好");
    if (ok) PostMessageW(ok, BM_CLICK, 0, 0);
    if (!waitUntil([&] { return !IsWindow(box); }, 3000)) PostMessageW(box, WM_CLOSE, 0, 0);
    return 0;
}

int spawn(int argc, wchar_t** argv) {
    std::wstring line;
    for (int i = 2; i < argc; ++i) {
        if (i > 2) line += L' ';
        line += argv[i];
    }
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

int floorWindow(const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KestrowBenchFloor";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                             CW_USEDEFAULT, CW_USEDEFAULT, 240, 540, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// The smallest program that does what a countdown tick makes Wine do: replace
// the text of one centred, sunken edit field in the duration fields' font and
// colours, once a second. Nothing else runs in it.
int floorTicks(int seconds) {
    struct State {
        HWND edit = nullptr;
        HFONT font = nullptr;
        HBRUSH pink = nullptr;
        int left = 0;
    };
    static State state;
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
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
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
    state.font = CreateFontW(-29, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 134, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"微软雅黑");
    SendMessageW(state.edit, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
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
    DeleteObject(state.font);
    DeleteObject(state.pink);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // plain LF line ends for the script
    if (argc < 2) fail("usage");
    const std::wstring what = argv[1];
    if (what == L"countdown") return countdown(argc, argv);
    if (what == L"about") return about();
    if (what == L"spawn") return spawn(argc, argv);
    if (what == L"floor-ticks" && argc > 2) return floorTicks(_wtoi(argv[2]));
    if (what == L"floor") return floorWindow(argc > 2 ? argv[2] : L"KestrowBenchFloor");
    fail("usage");
}
