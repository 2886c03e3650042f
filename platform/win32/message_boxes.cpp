#include "platform/win32/message_boxes.h"

#include "platform/input_rules.h"
#include "platform/win32/box_owner.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

namespace kestrow::win32 {

namespace {

// While a message box is open, none of the program's windows takes input:
// its handlers expect no other handler to run meanwhile but timer ticks.
// The box disables its owner itself; this disables the program's other
// windows for as long as it lives, and tells each of them the box's owner,
// so that a click on any of them brings the box up. It enables again
// exactly the windows it disabled that still exist, and gives each window
// back the box owner it knew before (a box may open while another is open).
class ProgramModal {
public:
    explicit ProgramModal(HWND owner);
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    struct Held {
        HWND window;
        HWND ownerBefore;
        bool disabled;
    };
    std::vector<Held> held_;
};

BOOL CALLBACK collect(HWND window, LPARAM found)
{
    if (Win32Window::isOurs(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> ourWindows()
{
    std::vector<HWND> ours;
    EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(&ours));
    return ours;
}

ProgramModal::ProgramModal(HWND owner)
{
    for (HWND window : ourWindows()) {
        const bool disable = window != owner && IsWindowEnabled(window);
        held_.push_back({window, boxOwner(window), disable});
        if (owner) noteBoxOwner(window, owner);
        if (disable) EnableWindow(window, FALSE);
    }
}

// A window may have gone while the box was open (its close animation ended,
// or another program closed it); isOurs is false for a destroyed handle.
ProgramModal::~ProgramModal()
{
    for (const Held& held : held_) {
        if (!Win32Window::isOurs(held.window)) continue;
        noteBoxOwner(held.window, held.ownerBefore);
        if (held.disabled) EnableWindow(held.window, TRUE);
    }
}

// The asking window, or, should it have closed meanwhile (a late answer
// from Windows for a closed timer window), another window of ours: a box
// without an owner would stand apart from the program it speaks for.
HWND ownerFor(const NativeWindow& asking)
{
    if (HWND owner = static_cast<const Win32Window&>(asking).hwnd()) return owner;
    for (HWND window : ourWindows()) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Whether the user is in this program now: its window, or a box or menu of
// it, is the foreground window.
bool programInFront()
{
    HWND front = GetForegroundWindow();
    return front && Win32Window::isOurs(GetAncestor(front, GA_ROOTOWNER));
}

}  // namespace

void flashTaskbarButton(HWND window, bool on)
{
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window;
    flash.dwFlags = on ? FLASHW_ALL | FLASHW_TIMERNOFG : FLASHW_STOP;
    FlashWindowEx(&flash);
}

// Modal for the whole program. A box raised while the user works in another
// program asks for the foreground; Windows may refuse it to a program in
// the background (the foreground lock), so the owner's taskbar button also
// flashes until the user comes (any window of ours activated stops it).
// Should the owner go while the box is open, the system destroys the box
// with it and MessageBoxW returns 0: the question counts as declined, and
// the handler that asked goes on.
MessageResult Win32MessageBoxes::show(const NativeWindow& asking, std::string_view prompt, MessageButtons buttons,
                                      std::optional<std::string_view> title)
{
    const std::wstring text = widen(prompt);
    const std::wstring caption = widen(title ? *title : kApplicationTitle);
    const bool okCancel = buttons == MessageButtons::OkCancel;
    HWND owner = ownerFor(asking);
    const bool elsewhere = !programInFront();
    int answer = 0;
    DWORD error = 0;
    {
        const ProgramModal modal(owner);
        if (elsewhere && owner && askForAttention) askForAttention(owner, true);
        answer = MessageBoxW(owner, text.c_str(), caption.c_str(), (okCancel ? MB_OKCANCEL : MB_OK) | MB_SETFOREGROUND);
        error = GetLastError();
        if (elsewhere && owner && askForAttention && IsWindow(owner)) askForAttention(owner, false);
    }
    if (answer == 0 && owner && !IsWindow(owner)) return unansweredBox(buttons);
    if (answer == 0) throw std::runtime_error(systemMessage(error));
    return answer == IDCANCEL ? MessageResult::Cancel : MessageResult::Ok;
}

}  // namespace kestrow::win32
