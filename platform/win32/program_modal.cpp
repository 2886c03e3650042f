#include "platform/win32/program_modal.h"

#include "platform/win32/win32_window.h"

namespace kestrow::win32 {

namespace {

struct Search {
    HWND owner;
    std::vector<HWND>& found;
};

BOOL CALLBACK collect(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<Search*>(param);
    if (window != search.owner && Win32Window::isOurs(window) && IsWindowEnabled(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

ProgramModal::ProgramModal(HWND owner)
{
    Search search{owner, disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(&search));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
}

// A window may have gone while the box was open (its close animation ended,
// or another program closed it); isOurs is false for a destroyed handle.
ProgramModal::~ProgramModal()
{
    for (HWND window : disabled_) {
        if (Win32Window::isOurs(window)) EnableWindow(window, TRUE);
    }
}

}  // namespace kestrow::win32
