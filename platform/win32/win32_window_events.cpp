// A window's messages: the window procedure, the switch that hands each
// message to its handler, and the handlers.
#include "platform/win32/win32_window.h"

#include "platform/win32/box_owner.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/private_messages.h"

#include <windowsx.h>

namespace kestrow::win32 {

LRESULT CALLBACK Win32Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Win32Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = window;
        ++handleCounts().windows;
    } else {
        self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefDlgProcW(window, message, wParam, lParam);
    HandlerDepth::Scope running(self->context_.handlers);
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        reportUnhandledFailure();
        return 0;
    }
}

LRESULT Win32Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarButtonCreatedMessage() && message) {
        if (taskbar_) taskbar_->recreated();
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return onControlColour(message, wParam, lParam);
    case WM_COMMAND: return onCommand(wParam, lParam);
    case WM_TIMER: return onTimer(wParam);
    case WM_SETCURSOR: return onSetCursor(wParam, lParam);
    case WM_LBUTTONDOWN: return onMouseDown(mouse::left, lParam);
    case WM_RBUTTONDOWN: return onMouseDown(mouse::right, lParam);
    case WM_MBUTTONDOWN: return onMouseDown(mouse::middle, lParam);
    case WM_LBUTTONUP: return onMouseUp(lParam);
    case WM_CAPTURECHANGED: pressedOnBackground_ = false; return 0;
    case WM_CONTEXTMENU: return onContextMenu(lParam);
    case WM_SYSCOMMAND: return onSysCommand(wParam, lParam);
    case WM_CLOSE: return onClose();
    // The window never holds up the end of the session; its end closes it.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        if (wParam) requestClose(CloseCause::SessionEnd);
        return 0;
    // No minimum height of our own: the About window rolls open from its
    // collapsed height and must close below 600 twips, which a large title
    // bar alone can exceed. A floor the system keeps anyway is met by the
    // close animation ending where it stalls.
    case WM_GETMINMAXINFO: reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = 0; return 0;
    case WM_DPICHANGED: return onDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
    case WM_ACTIVATE: return onActivate(wParam, lParam);
    // The user has come back: a taskbar button flashing for a box stops.
    case WM_ACTIVATEAPP:
        if (wParam) flashTaskbarButton(hwnd_, false);
        return 0;
    case WM_SYSCOLORCHANGE: return onSysColorChange(wParam, lParam);
    case WM_SETTINGCHANGE: return onSettingChange(wParam, lParam);
    // A new resolution or a monitor gone: nothing is left off the screen.
    case WM_DISPLAYCHANGE: keepOnWorkArea(hwnd_); return 0;
    case private_message::kBringUpBox: bringUpBox(hwnd_); return 0;
    case WM_DESTROY: return onDestroy();
    case WM_NCDESTROY: return onNcDestroy();
    default: return byDefault(message, wParam, lParam);
    }
}

// Also Escape's IDCANCEL, which nothing here answers.
LRESULT Win32Window::byDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefDlgProcW(hwnd_, message, wParam, lParam);
}

LRESULT Win32Window::onEraseBackground(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, brush(colour(def_.background, ColourRole::Background)));
    return 1;
}

LRESULT Win32Window::onControlColour(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ChildControl* control = findControl(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->colours(reinterpret_cast<HDC>(wParam), message == WM_CTLCOLORSTATIC)) {
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return byDefault(message, wParam, lParam);
}

// A control's notification goes to that control. Without a control (a menu,
// an accelerator, the dialog manager's IDOK and IDCANCEL) it is the dialog
// manager's.
LRESULT Win32Window::onCommand(WPARAM wParam, LPARAM lParam)
{
    ChildControl* control = findControl(reinterpret_cast<HWND>(lParam));
    if (!control) return byDefault(WM_COMMAND, wParam, lParam);
    control->onNotification(HIWORD(wParam));
    return 0;
}

LRESULT Win32Window::onTimer(WPARAM id)
{
    for (auto& timer : timers_) {
        if (timer->id() == id) {
            timer->tick();
            break;
        }
    }
    return 0;
}

// A press on a window that a message box holds disabled comes as HTERROR.
// The system brings the box up for its owner only; every window of ours
// does it here.
LRESULT Win32Window::onSetCursor(WPARAM wParam, LPARAM lParam)
{
    const UINT press = HIWORD(lParam);
    if (LOWORD(lParam) == static_cast<WORD>(HTERROR) &&
        (press == WM_LBUTTONDOWN || press == WM_RBUTTONDOWN || press == WM_MBUTTONDOWN)) {
        bringUpBox(hwnd_);
    }
    if (LOWORD(lParam) == HTCLIENT) {
        ChildControl* control = findControl(reinterpret_cast<HWND>(wParam));
        if (control && control->handCursor()) {
            if (HCURSOR hand = resources_.handCursor()) {
                SetCursor(hand);
                return TRUE;
            }
        }
    }
    return byDefault(WM_SETCURSOR, wParam, lParam);
}

void Win32Window::requestClose(CloseCause cause)
{
    if (def_.onCloseRequest) def_.onCloseRequest(cause);
}

// Windows hands a press over a disabled control to the window beneath it;
// that is still no press on the window's background.
bool Win32Window::onBackground(LPARAM lParam) const
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return ChildWindowFromPointEx(hwnd_, at, CWP_SKIPINVISIBLE) == hwnd_;
}

LRESULT Win32Window::onMouseDown(int buttons, LPARAM lParam)
{
    if (!onBackground(lParam)) return 0;
    if (buttons == mouse::left) {
        pressedOnBackground_ = true;
        SetCapture(hwnd_);
    }
    if (def_.onMouseDown) def_.onMouseDown(buttons);
    return 0;
}

// A click is a left press and release both on the background.
LRESULT Win32Window::onMouseUp(LPARAM lParam)
{
    const bool pressed = pressedOnBackground_;
    pressedOnBackground_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (pressed && onBackground(lParam) && def_.onClick) def_.onClick();
    return 0;
}

// The menu key and Shift+F10 ask for the menu a right press on the
// background opens, placed at the window's corner rather than the pointer.
// A right press has opened it already: its WM_CONTEXTMENU (with the pointer's
// position) is left alone.
LRESULT Win32Window::onContextMenu(LPARAM lParam)
{
    const bool fromKeyboard = GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
    if (!fromKeyboard || !def_.onMouseDown) return 0;
    menuAtWindow_ = true;
    def_.onMouseDown(mouse::right);
    menuAtWindow_ = false;
    return 0;
}

// The close box, the system menu's close item and Alt+F4 come this way; the
// default handling sends WM_CLOSE at once, which then knows its cause.
LRESULT Win32Window::onSysCommand(WPARAM wParam, LPARAM lParam)
{
    if ((wParam & 0xFFF0) != SC_CLOSE) return byDefault(WM_SYSCOMMAND, wParam, lParam);
    userClosing_ = true;
    const LRESULT result = byDefault(WM_SYSCOMMAND, wParam, lParam);
    userClosing_ = false;
    return result;
}

// The portable handler decides; DefDlgProc would press IDCANCEL.
LRESULT Win32Window::onClose()
{
    const CloseCause cause = userClosing_ ? CloseCause::User : CloseCause::TaskManager;
    userClosing_ = false;
    requestClose(cause);
    return 0;
}

LRESULT Win32Window::onDpiChanged(int dpi, const RECT& suggested)
{
    clientSize_ = {MulDiv(clientSize_.cx, dpi, dpi_), MulDiv(clientSize_.cy, dpi, dpi_)};
    dpi_ = dpi;
    // The old fonts stay selected in the controls until each has its new one.
    auto oldFonts = resources_.takeFonts();
    for (auto& control : controls_) control->layout();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    loadIcons();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return 0;
}

// The dialog manager gives the focus back to the control that had it. That
// control may have been disabled or hidden meanwhile (the window was
// inactive while a command's console window had the activation): then the
// next usable tab stop after it takes it.
LRESULT Win32Window::onActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = byDefault(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) == WA_INACTIVE) return result;
    // Activated while a box holds it (its taskbar button was clicked): the
    // box is what the user came for.
    if (!IsWindowEnabled(hwnd_)) PostMessageW(hwnd_, private_message::kBringUpBox, 0, 0);
    for (const auto& control : controls_) {
        if (control->hasFocus() && !(control->isEnabled() && control->isVisible())) {
            focusControl(GetNextDlgTabItem(hwnd_, control->hwnd(), FALSE));
        }
    }
    return result;
}

// A larger title bar (the accessibility settings) grows the frame inside
// the same outer size: the client area gets its size back, and the window
// stays on the screen. High contrast switched on or off repaints it all.
LRESULT Win32Window::onSettingChange(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case SPI_SETNONCLIENTMETRICS:
        if (def_.border == Border::FixedSingle) fitClientArea();
        keepOnWorkArea(hwnd_);
        break;
    case SPI_SETWORKAREA: keepOnWorkArea(hwnd_); break;
    case SPI_SETHIGHCONTRAST: onSysColorChange(0, 0); break;
    default: break;
    }
    return byDefault(WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT Win32Window::onSysColorChange(WPARAM wParam, LPARAM lParam)
{
    highContrast_ = context_.highContrast && context_.highContrast();
    resources_.dropBrushes();
    for (auto& control : controls_) {
        if (control->hwnd()) SendMessageW(control->hwnd(), WM_SYSCOLORCHANGE, wParam, lParam);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return 0;
}

// Whoever destroys the window, the controls end here, while they still
// exist.
LRESULT Win32Window::onDestroy()
{
    for (auto& timer : timers_) timer->destroyNative();
    for (auto& control : controls_) control->destroyNative();
    return byDefault(WM_DESTROY, 0, 0);
}

// The last message: what only the window used goes with it. The tooltip is
// an owned window, which the system has destroyed already.
LRESULT Win32Window::onNcDestroy()
{
    noteBoxOwner(hwnd_, nullptr);
    for (auto& menu : menus_) menu->destroyNative();
    resources_.release();
    bigIcon_.reset();
    smallIcon_.reset();
    const LRESULT result = byDefault(WM_NCDESTROY, 0, 0);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    --handleCounts().windows;
    return result;
}

}  // namespace kestrow::win32
