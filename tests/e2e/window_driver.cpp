#include "tests/e2e/window_driver.h"

#include <algorithm>

namespace kestrow::drive {

bool waitUntil(const std::function<bool()>& done, int ms)
{
    for (auto end = GetTickCount64() + static_cast<ULONGLONG>(ms);; Sleep(20)) {
        if (done()) return true;
        if (GetTickCount64() > end) return done();
    }
}

std::wstring textOf(HWND window)
{
    wchar_t buffer[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, kPatience, &length);
    return std::wstring(buffer, length);
}

bool isClass(HWND window, const wchar_t* cls)
{
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return _wcsicmp(buffer, cls) == 0;
}

bool shown(HWND window) { return window && IsWindowVisible(window); }
bool enabled(HWND window) { return window && IsWindowEnabled(window); }

int height(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

namespace {

struct FoundWindows {
    DWORD pid;
    std::vector<HWND> windows;
};

// A function, not a lambda: a lambda converts to a pointer of the default
// calling convention, which the 32-bit build's CALLBACK (stdcall) is not.
BOOL CALLBACK collectWindow(HWND h, LPARAM p)
{
    auto* f = reinterpret_cast<FoundWindows*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (f->pid == 0 || owner == f->pid) f->windows.push_back(h);
    return TRUE;
}

}  // namespace

std::vector<HWND> topLevel(DWORD pid)
{
    FoundWindows found{pid, {}};
    EnumWindows(&collectWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

std::vector<HWND> allShown(DWORD pid, const wchar_t* cls)
{
    std::vector<HWND> found;
    for (HWND h : topLevel(pid)) {
        if (IsWindowVisible(h) && isClass(h, cls)) found.push_back(h);
    }
    return found;
}

HWND findShown(DWORD pid, const wchar_t* cls, const std::wstring& caption)
{
    if (*cls) {
        const auto found = allShown(pid, cls);
        return found.empty() ? nullptr : found.front();
    }
    for (HWND h : topLevel(pid)) {
        if (!IsWindowVisible(h) || isClass(h, L"#32770") || isClass(h, L"#32768")) continue;
        if (textOf(h) == caption) return h;
    }
    return nullptr;
}

std::vector<HWND> children(HWND parent, const wchar_t* cls)
{
    std::vector<HWND> found;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (isClass(h, cls)) found.push_back(h);
    }
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return found;
}

HWND child(HWND parent, const wchar_t* cls, const std::wstring& caption)
{
    for (HWND h : children(parent, cls)) {
        if (textOf(h) == caption) return h;
    }
    return nullptr;
}

bool atRest(HWND window)
{
    return waitUntil([&] {
        RECT a, b;
        GetWindowRect(window, &a);
        Sleep(150);
        GetWindowRect(window, &b);
        return EqualRect(&a, &b);
    });
}

bool click(HWND button)
{
    DWORD_PTR ignored;
    return button && SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kPatience, &ignored);
}

void postClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void postLeftClick(HWND window, POINT at)
{
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

bool setText(HWND window, const std::wstring& text)
{
    DWORD_PTR ignored;
    return window && SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                                         kPatience, &ignored);
}

POINT backgroundPoint(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    for (int y = 3; y < client.bottom; y += 7) {
        for (int x = 3; x < client.right; x += 7) {
            if (ChildWindowFromPointEx(window, {x, y}, CWP_SKIPINVISIBLE) == window) return {x, y};
        }
    }
    return {-1, -1};
}

HWND openPopupMenu(HWND window)
{
    const POINT at = backgroundPoint(window);
    if (at.x < 0) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    HWND menu = nullptr;
    waitUntil([&] { return (menu = findShown(pid, L"#32768")) != nullptr; });
    return menu;
}

void choose(HWND menu, int index)
{
    // The menu loop reads keys from the thread's queue.
    for (int i = 0; i <= index; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

unsigned long long fileTimeNow()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

double unixSeconds(unsigned long long fileTime) { return static_cast<double>(fileTime - 116444736000000000ULL) / 1e7; }

CommandLog::CommandLog(std::wstring path) : path_(std::move(path)), start_(read().size()) {}

std::vector<RecordedCommand> CommandLog::all() const
{
    auto commands = read();
    commands.erase(commands.begin(), commands.begin() + static_cast<long>(std::min(start_, commands.size())));
    return commands;
}

std::vector<std::string> CommandLog::lines() const
{
    std::vector<std::string> out;
    for (const auto& c : all()) out.push_back(c.line);
    return out;
}

RecordedCommand CommandLog::waitFor(size_t n, int ms) const
{
    std::vector<RecordedCommand> seen;
    if (waitUntil([&] { return (seen = all()).size() >= n; }, ms)) return seen[n - 1];
    return {};
}

// Lines are <stamp> TAB <current folder> TAB <command line> LF; a line not
// yet ended is not read.
std::vector<RecordedCommand> CommandLog::read() const
{
    std::vector<RecordedCommand> commands;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return commands;
    std::string text;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
    CloseHandle(file);
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        const size_t folder = text.find('\t', at), line = text.find('\t', folder + 1);
        if (folder >= end || line >= end) continue;
        commands.push_back({std::stoull(text.substr(at, folder - at)), text.substr(folder + 1, line - folder - 1),
                            text.substr(line + 1, end - line - 1)});
    }
    return commands;
}

}  // namespace kestrow::drive
