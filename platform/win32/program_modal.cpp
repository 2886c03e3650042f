#include "platform/win32/program_modal.h"

#include "platform/win32/win32_window.h"

namespace kestrow::win32 {

namespace {

BOOL CALLBACK collect(HWND window, LPARAM found)
{
    if (Win32Window::isOurs(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

ProgramModal::ProgramModal(HWND owner)
{
    std::vector<HWND> ours;
    EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(&ours));
    for (HWND window : ours) {
        const bool disable = window != owner && IsWindowEnabled(window);
        held_.push_back({window, Win32Window::boxOwner(window), disable});
        if (owner) Win32Window::noteBoxOwner(window, owner);
        if (disable) EnableWindow(window, FALSE);
    }
}

// A window may have gone while the box was open (its close animation ended,
// or another program closed it); isOurs is false for a destroyed handle.
ProgramModal::~ProgramModal()
{
    for (const Held& held : held_) {
        if (!Win32Window::isOurs(held.window)) continue;
        Win32Window::noteBoxOwner(held.window, held.ownerBefore);
        if (held.disabled) EnableWindow(held.window, TRUE);
    }
}

}  // namespace kestrow::win32
