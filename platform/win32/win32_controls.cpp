#include "platform/win32/win32_controls.h"

#include "platform/input_rules.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/resources.h"
#include "platform/win32/text.h"

#include <commctrl.h>

#include <algorithm>

namespace kestrow::win32 {

// ---------------------------------------------------------------- focus

void focusControl(HWND control)
{
    if (control) SendMessageW(GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

// The heavy frame marks what Enter presses: the push button that has the
// focus, else the default button. The dialog manager moves it when it
// moves the focus (Tab, WM_NEXTDLGCTL), and Windows also when a click gives
// a button the focus; Wine then leaves it where it was (wine-devel, "Windows
// Default Button Observations", 2004). So every control's taking the focus
// comes here too, which on Windows only repeats what the system did.
void showWhatEnterPresses(HWND dialog)
{
    const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    HWND framed = HIWORD(defaultId) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(defaultId)) : nullptr;
    constexpr LRESULT kPushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
    HWND focus = GetFocus();
    if (focus && GetParent(focus) == dialog && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & kPushButton)) {
        framed = focus;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT code = SendMessageW(child, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_DEFPUSHBUTTON) && child != framed) SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if ((code & DLGC_UNDEFPUSHBUTTON) && child == framed) SendMessageW(child, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

// ---------------------------------------------------------------- common

ChildControl::ChildControl(ControlHost& host, const ControlDefinition& def, int id, const wchar_t* windowClass,
                           std::string_view text, DWORD style, DWORD exStyle)
    : host_(host), bounds_(def.bounds), font_(def.font), name_(def.name)
{
    // Each control a group of its own: the dialog manager's arrow keys move
    // the focus within a group, and from a button they would land on a
    // label, which shows no focus. Tab alone walks the controls, in the
    // order they are made in.
    style |= WS_CHILD | WS_GROUP | (def.visible ? WS_VISIBLE : 0) | (def.enabled ? 0 : WS_DISABLED);
    // Made in its place, with its font: moving it there afterwards would
    // cost every control of a new window a move and a repaint.
    const RECT r = placement();
    window_.reset(CreateWindowExW(exStyle, windowClass, widen(text).c_str(), style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, host_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr));
    if (hwnd()) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(font_)), FALSE);
}

void ChildControl::takeClicks(Callback onClick, bool handCursor, const std::string& tooltip)
{
    onClick_ = std::move(onClick);
    handCursor_ = handCursor;
    if (hwnd() && !tooltip.empty()) host_.addTooltip(hwnd(), tooltip);
}

void ChildControl::layout()
{
    if (!hwnd()) return;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(font_)), TRUE);
    const RECT r = placement();
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ChildControl::placement() const
{
    const PixelRect r = boundsToPixels(bounds_, host_.dpi());
    const int height = r.bottom - r.top;
    return RECT{r.left, r.top, r.right, r.bottom + droppedHeight(height)};
}

// STN_CLICKED and BN_CLICKED. Only a control a user could press now runs
// its handler: the dialog manager's Enter also "clicks" a default button
// that is hidden.
void ChildControl::onNotification(WORD code)
{
    static_assert(STN_CLICKED == BN_CLICKED);
    if (code == BN_CLICKED && onClick_ && takesClick(isVisible(), isEnabled())) onClick_();
}

std::string ChildControl::windowText() const { return hwnd() ? win32::windowText(hwnd()) : std::string(); }

void ChildControl::setWindowText(std::string_view text)
{
    if (hwnd()) SetWindowTextW(hwnd(), widen(text).c_str());
}

bool ChildControl::isEnabled() const { return hwnd() && IsWindowEnabled(hwnd()); }

// The control's own flag: IsWindowVisible would also say false while the
// window it lives on is hidden.
bool ChildControl::isVisible() const { return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE); }

void ChildControl::changeEnabled(bool enabled)
{
    if (!hwnd()) return;
    if (!enabled) passFocusOn();
    EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

void ChildControl::changeVisible(bool visible)
{
    if (!hwnd()) return;
    if (!visible) passFocusOn();
    ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

bool ChildControl::hasFocus() const
{
    HWND focus = GetFocus();
    return hwnd() && focus && (focus == hwnd() || IsChild(hwnd(), focus));
}

// Windows leaves the focus nowhere when its control is disabled or hidden,
// and then Tab and Enter do nothing. The next usable tab stop takes it first.
void ChildControl::passFocusOn()
{
    if (!hasFocus()) return;
    HWND next = GetNextDlgTabItem(GetParent(hwnd()), hwnd(), FALSE);
    if (next != hwnd()) focusControl(next);
}

// ---------------------------------------------------------------- kinds

// No WS_CLIPSIBLINGS: labels may overlap (the About window's name and
// version lines do) and, being transparent, each must draw all its text.
Win32Label::Win32Label(ControlHost& host, int id, const LabelDefinition& def)
    : ChildWindow(host, def, id, L"STATIC", def.caption, SS_CENTER | SS_NOTIFY), foreColour_(def.foreColour)
{
    takeClicks(def.onClick, def.handCursor, def.tooltip);
}

// The label paints no background of its own, so the old text stays until
// the window repaints the area beneath it.
void Win32Label::setCaption(std::string_view caption)
{
    setWindowText(caption);
    if (!hwnd()) return;
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(host_.hwnd(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH Win32Label::colours(HDC dc, bool asStatic)
{
    if (!asStatic) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, host_.colour(foreColour_, handCursor() ? ColourRole::Link : ColourRole::Text));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

namespace {

// A push button tells its window nothing when it takes the focus, so it is
// heard here (showWhatEnterPresses). BS_NOTIFY would tell, but it also
// turns a quick second click into a double click that presses nothing.
LRESULT CALLBACK watchFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &watchFocus, id);
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    if (message == WM_SETFOCUS) showWhatEnterPresses(GetParent(button));
    return result;
}

}  // namespace

Win32Button::Win32Button(ControlHost& host, int id, const ButtonDefinition& def)
    : ChildWindow(host, def, id, L"BUTTON", def.caption, BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS)
{
    takeClicks(def.onClick, false, {});
    if (hwnd()) SetWindowSubclass(hwnd(), &watchFocus, 0, 0);
}

// The dialog manager keeps the default button's id: Enter in a field or a
// list presses it.
void Win32Button::makeDefault()
{
    if (!hwnd()) return;
    SendMessageW(host_.hwnd(), DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(hwnd())), 0);
    showWhatEnterPresses(host_.hwnd());
}

Win32ComboBox::Win32ComboBox(ControlHost& host, int id, const ComboDefinition& def)
    : ChildWindow(host, def, id, L"COMBOBOX", {},
                  CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS)
{
    for (const std::string& item : def.items) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    SendMessageW(hwnd(), CB_SETMINVISIBLE, def.items.empty() ? 1 : def.items.size(), 0);
    setText(def.text);
    layout();
}

// The list's selection follows the text, so that the arrow keys go on from
// the item shown ("关机", Down: "重启") and the dropped list marks it. (The
// search ignores case, which these lists of Chinese words never meet.)
void Win32ComboBox::setText(std::string_view text)
{
    const std::wstring wide = widen(text);
    const LRESULT item =
        SendMessageW(hwnd(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    setWindowText(text);
}

// The height given to a drop-down combo box is that of the edit and the
// dropped list together; the edit itself takes its height from the font.
int Win32ComboBox::droppedHeight(int height) const
{
    const LRESULT itemHeight = SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0);
    const LRESULT items = SendMessageW(hwnd(), CB_GETCOUNT, 0, 0) + 1;
    return static_cast<int>((itemHeight > 0 ? itemHeight : height) * items);
}

void Win32ComboBox::onNotification(WORD code)
{
    if (code == CBN_SETFOCUS) showWhatEnterPresses(host_.hwnd());
}

Win32TextField::Win32TextField(ControlHost& host, int id, const TextFieldDefinition& def)
    : ChildWindow(host, def, id, L"EDIT", def.text, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS,
                  WS_EX_CLIENTEDGE),
      backColour_(def.backColour),
      onChange_(def.onChange)
{
}

// The edit control sends EN_CHANGE from inside SetWindowTextW, so onChange
// has run by the time this returns, as the portable handlers rely on.
// SetWindowTextW puts the caret at the start; it goes back where it was
// (EM_SETSEL keeps it within the new text), so when a handler rewrites what
// the user is typing, the next key still lands after the last one.
void Win32TextField::setText(std::string_view text)
{
    if (!hwnd()) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    setWindowText(text);
    SendMessageW(hwnd(), EM_SETSEL, start, end);
}

void Win32TextField::onNotification(WORD code)
{
    if (code == EN_SETFOCUS) showWhatEnterPresses(host_.hwnd());
    if (code == EN_CHANGE && onChange_) onChange_();
}

// Enabled edits ask with WM_CTLCOLOREDIT, disabled and read-only ones with
// WM_CTLCOLORSTATIC; both keep the field's own background.
HBRUSH Win32TextField::colours(HDC dc, bool asStatic)
{
    const COLORREF back = host_.colour(backColour_, ColourRole::Background);
    SetBkColor(dc, back);
    SetTextColor(dc, GetSysColor(asStatic ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return host_.brush(back);
}

// SS_REALSIZECONTROL scales the picture to the box, which is the picture's
// own size at 96 DPI and grows with the DPI.
Win32PictureBox::Win32PictureBox(ControlHost& host, int id, const PictureDefinition& def)
    : ChildWindow(host, def, id, L"STATIC", {}, SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL | WS_CLIPSIBLINGS),
      bitmap_(loadPicture(def.picture, host.com()))
{
    takeClicks(def.onClick, def.handCursor, def.tooltip);
    SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_.get()));
    layout();  // setting the image sized the control to the picture
}

// Common Controls 6 may hold a copy of the picture; the copy is handed back
// here and is ours to delete.
void Win32PictureBox::destroyNative()
{
    auto shown = reinterpret_cast<HBITMAP>(SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (shown && shown != bitmap_.get()) DeleteObject(shown);
    ChildControl::destroyNative();
    bitmap_.reset();
}

// ---------------------------------------------------------------- timer

Win32Timer::Win32Timer(HWND window, UINT_PTR id, TimerDefinition def) : window_(window), id_(id), def_(std::move(def))
{
    setEnabled(def_.enabled);
}

void Win32Timer::setEnabled(bool enabled)
{
    if (!enabled) {
        running_.stop();
    } else if (!running_.running()) {
        start();
    }
}

void Win32Timer::setInterval(int ms)
{
    def_.intervalMs = ms;
    if (running_.running()) start();
}

// A fresh interval from now; intervals below USER_TIMER_MINIMUM (10 ms) run
// at 10 ms. A timer the system refuses stays disabled, and says why.
void Win32Timer::start()
{
    if (!window_) return;
    const bool started = running_.start(window_, id_, static_cast<UINT>(std::max(def_.intervalMs, 1)));
    failure_ = started ? std::string() : systemMessage(GetLastError());
}

void Win32Timer::tick()
{
    // After a failure the program is ending: the timer stops for good.
    if (programFailed()) running_.stop();
    if (running_.running() && def_.onTick) def_.onTick();
}

void Win32Timer::destroyNative()
{
    running_.stop();
    window_ = nullptr;
}

// ---------------------------------------------------------------- menu

// Item ids are 1, 2, ...: TPM_RETURNCMD hands the chosen one back, and no
// WM_COMMAND comes.
Win32Menu::Win32Menu(MenuDefinition def) : def_(std::move(def)), menu_(CreatePopupMenu())
{
    UINT_PTR id = 0;
    for (const MenuItemDefinition& item : def_.items) {
        AppendMenuW(menu_.get(), MF_STRING, ++id, widen(item.caption).c_str());
    }
}

void Win32Menu::popUp(HWND owner, POINT at)
{
    if (!menu_) return;
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON;
    const auto id = static_cast<size_t>(TrackPopupMenuEx(menu_.get(), flags, at.x, at.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);  // the other half of the TrackPopupMenu remarks' advice
    if (id > 0 && id <= def_.items.size() && def_.items[id - 1].onClick) def_.items[id - 1].onClick();
}

}  // namespace kestrow::win32
