// Drives a program's windows through window messages, the way clicks and
// typing reach them, and reads the recorder's log of the commands it ran.
// Shared by the end-to-end tests and the benchmark's driver, which drive
// another process, and by the adapter tests, which find their own boxes and
// read their recorders' logs with it.
//
// Every send has a timeout, so a hung or modal program cannot hang the caller.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrow::drive {

constexpr int kPatience = 5000;  // ms; Wine on a loaded machine is slow

// Polls until done() holds or ms have passed; says whether it held.
bool waitUntil(const std::function<bool()>& done, int ms = kPatience);

std::wstring textOf(HWND window);  // WM_GETTEXT, which crosses processes
bool isClass(HWND window, const wchar_t* cls);
bool shown(HWND window);
bool enabled(HWND window);
int height(HWND window);

// Top-level windows of one process (pid 0: of every process).
std::vector<HWND> topLevel(DWORD pid);
// The shown top-level windows of one class: message boxes (#32770), popup
// menus (#32768).
std::vector<HWND> allShown(DWORD pid, const wchar_t* cls);
// A shown top-level window: a message box or popup menu by class, or with
// cls empty any other window with this caption.
HWND findShown(DWORD pid, const wchar_t* cls, const std::wstring& caption = L"");
// Direct children of one class, top to bottom, then left to right. Direct
// only: a combo box's inner EDIT is not one of a window's fields.
std::vector<HWND> children(HWND parent, const wchar_t* cls);
HWND child(HWND parent, const wchar_t* cls, const std::wstring& caption);

// Waits until an animated window has stopped moving and growing.
bool atRest(HWND window);

// BM_CLICK, returning once the handler has; false if it did not return in
// time (a message box is probably up: then postClick).
bool click(HWND button);
void postClick(HWND button);
// A real press and release; on a SS_NOTIFY label or picture it becomes STN_CLICKED.
void postLeftClick(HWND window, POINT at = {2, 2});
// WM_SETTEXT; an EDIT sends its change notification before this returns.
bool setText(HWND window, const std::wstring& text);

// A client point on the window itself, clear of its visible controls;
// {-1, -1} if there is none.
POINT backgroundPoint(HWND window);
// The right button on the window's background: its popup menu, once shown.
HWND openPopupMenu(HWND window);
// Picks item index (0-based) of an open popup menu with the keyboard; the
// last key (Enter) is posted when this returns.
void choose(HWND menu, int index);

unsigned long long fileTimeNow();  // 100 ns units since 1601, UTC
double unixSeconds(unsigned long long fileTime);

// What the recorder logged for one command it stood in for.
struct RecordedCommand {
    unsigned long long stamp = 0;  // FILETIME of the recorder's start
    std::string folder;            // its current folder, UTF-8
    std::string line;              // the command line, UTF-8
};

// The commands recorded in a log (see recorder.cpp) since the object was made.
class CommandLog {
public:
    explicit CommandLog(std::wstring path);
    std::vector<RecordedCommand> all() const;
    std::vector<std::string> lines() const;
    // The n-th command (1-based), once it has come; an empty one if it does not.
    RecordedCommand waitFor(size_t n, int ms = kPatience) const;

private:
    std::vector<RecordedCommand> read() const;

    std::wstring path_;
    size_t start_;
};

}  // namespace kestrow::drive
