#include "platform/win32/win32_controls.h"

#include "platform/win32/colours.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/resources.h"
#include "platform/win32/text.h"

#include <commctrl.h>

#include <algorithm>

namespace kestrow::win32 {

namespace {

HINSTANCE module() { return GetModuleHandleW(nullptr); }

}  // namespace

// ---------------------------------------------------------------- common

ChildControl::ChildControl(ControlHost& host, int id, const ControlDefinition& def)
    : host_(host),
      bounds_(def.bounds),
      font_(def.font),
      id_(id),
      name_(def.name),
      tabIndex_(def.tabIndex),
      enabled_(def.enabled),
      visible_(def.visible)
{
}

void ChildControl::create(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD exStyle)
{
    if (!host_.hwnd()) return;
    // Each control a group of its own: the dialog manager's arrow keys move
    // the focus within a group, and from a button they would land on a
    // label, which shows no focus. Tab alone walks the controls.
    style |= WS_CHILD | WS_GROUP;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    const RECT r = boundsToPixels(bounds_, host_.dpi());
    const std::wstring wide = widen(text);
    window_.reset(CreateWindowExW(exStyle, windowClass, wide.c_str(), style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, host_.hwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), module(), nullptr));
    if (window_) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(font_)), FALSE);
}

const std::string& ChildControl::namingLabel() const
{
    static const std::string none;
    return none;
}

void ChildControl::layout()
{
    if (!hwnd()) return;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(font_)), TRUE);
    const RECT r = boundsToPixels(bounds_, host_.dpi());
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::destroyNative()
{
    if (!hwnd()) return;
    enabled_ = isEnabled();
    visible_ = isVisible();
    window_.reset();
}

bool ChildControl::isEnabled() const { return hwnd() ? IsWindowEnabled(hwnd()) != FALSE : enabled_; }

void ChildControl::changeEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!hwnd()) return;
    if (!enabled) host_.passFocusOn(hwnd());
    EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

// The control's own flag: IsWindowVisible would also say false while the
// window it lives on is hidden.
bool ChildControl::isVisible() const
{
    return hwnd() ? (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0 : visible_;
}

void ChildControl::changeVisible(bool visible)
{
    visible_ = visible;
    if (!hwnd()) return;
    if (!visible) host_.passFocusOn(hwnd());
    ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

// ---------------------------------------------------------------- label

Win32Label::Win32Label(ControlHost& host, int id, LabelDefinition def)
    : ChildWindow(host, id, def), def_(std::move(def))
{
    // No WS_CLIPSIBLINGS: labels may overlap (the About window's name and
    // version lines do) and, being transparent, each must draw all its text.
    create(L"STATIC", def_.caption, SS_CENTER | SS_NOTIFY);
    if (hwnd() && !def_.tooltip.empty()) host_.addTooltip(hwnd(), def_.tooltip);
}

std::string Win32Label::caption() const { return hwnd() ? windowText(hwnd()) : def_.caption; }

void Win32Label::setCaption(std::string_view caption)
{
    def_.caption = std::string(caption);
    if (!hwnd()) return;
    SetWindowTextW(hwnd(), widen(caption).c_str());
    // The label paints no background of its own, so the old text stays
    // until the window repaints the area beneath it.
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(host_.hwnd(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Label::onNotification(WORD code)
{
    if (code == STN_CLICKED && def_.onClick) def_.onClick();
}

HBRUSH Win32Label::colours(HDC dc, bool asStatic)
{
    if (!asStatic) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, host_.colour(def_.foreColour, def_.handCursor ? ColourRole::Link : ColourRole::Text));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void Win32Label::destroyNative()
{
    if (hwnd()) def_.caption = windowText(hwnd());
    ChildControl::destroyNative();
}

// ---------------------------------------------------------------- button

Win32Button::Win32Button(ControlHost& host, int id, ButtonDefinition def)
    : ChildWindow(host, id, def), def_(std::move(def))
{
    create(L"BUTTON", def_.caption, BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS);
    if (hwnd()) SetWindowSubclass(hwnd(), &Win32Button::watchFocus, 0, reinterpret_cast<DWORD_PTR>(this));
}

// A push button tells its window nothing when it takes the focus (a click
// gives it the focus too, not only the dialog manager's Tab), so the window
// hears it here. BS_NOTIFY would tell, but it also turns a quick second
// click into a double click that presses nothing.
LRESULT CALLBACK Win32Button::watchFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &Win32Button::watchFocus, id);
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    if (message == WM_SETFOCUS) reinterpret_cast<Win32Button*>(self)->host_.focusChanged();
    return result;
}

void Win32Button::showFrame(bool framed)
{
    if (!hwnd()) return;
    const bool shown = (GetWindowLongW(hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (shown != framed) SendMessageW(hwnd(), BM_SETSTYLE, framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

std::string Win32Button::caption() const { return hwnd() ? windowText(hwnd()) : def_.caption; }

void Win32Button::setCaption(std::string_view caption)
{
    def_.caption = std::string(caption);
    if (hwnd()) SetWindowTextW(hwnd(), widen(caption).c_str());
}

void Win32Button::onNotification(WORD code)
{
    if (code == BN_CLICKED && pressable() && def_.onClick) def_.onClick();
}

void Win32Button::destroyNative()
{
    if (hwnd()) def_.caption = windowText(hwnd());
    ChildControl::destroyNative();
}

// ---------------------------------------------------------------- combo box

Win32ComboBox::Win32ComboBox(ControlHost& host, int id, ComboDefinition def)
    : ChildWindow(host, id, def), def_(std::move(def))
{
    create(L"COMBOBOX", {}, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS);
    if (!hwnd()) return;
    if (!def_.accessibleName.empty()) {
        name_.reset(CreateWindowExW(0, L"STATIC", widen(def_.accessibleName).c_str(), WS_CHILD, 0, 0, 0, 0,
                                    host_.hwnd(), nullptr, module(), nullptr));
    }
    for (const std::string& item : def_.items) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    SendMessageW(hwnd(), CB_SETMINVISIBLE, def_.items.empty() ? 1 : def_.items.size(), 0);
    showText();
    layout();
}

// The list's selection follows the text, so that the arrow keys go on from
// the item shown ("关机", Down: "重启") and the dropped list marks it.
void Win32ComboBox::showText()
{
    const auto item = std::find(def_.items.begin(), def_.items.end(), def_.text);
    const LRESULT index = item == def_.items.end() ? -1 : item - def_.items.begin();
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SetWindowTextW(hwnd(), widen(def_.text).c_str());
}

// The height given to a drop-down combo box is that of the edit and the
// dropped list together; the edit itself takes its height from the font.
void Win32ComboBox::layout()
{
    if (!hwnd()) return;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(font_)), TRUE);
    const RECT r = boundsToPixels(bounds_, host_.dpi());
    const LRESULT itemHeight = SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0);
    const int items = static_cast<int>(def_.items.size()) + 1;
    const int listHeight = (itemHeight > 0 ? static_cast<int>(itemHeight) : r.bottom - r.top) * items;
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + listHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ComboBox::onNotification(WORD code)
{
    if (code == CBN_SETFOCUS) host_.focusChanged();
}

std::string Win32ComboBox::text() const { return hwnd() ? windowText(hwnd()) : def_.text; }

void Win32ComboBox::setText(std::string_view text)
{
    def_.text = std::string(text);
    if (hwnd()) showText();
}

void Win32ComboBox::destroyNative()
{
    if (hwnd()) def_.text = windowText(hwnd());
    ChildControl::destroyNative();
    name_.reset();
}

// ---------------------------------------------------------------- text field

Win32TextField::Win32TextField(ControlHost& host, int id, TextFieldDefinition def)
    : ChildWindow(host, id, def), def_(std::move(def))
{
    recolour();
    create(L"EDIT", def_.text, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE);
}

std::string Win32TextField::text() const { return hwnd() ? windowText(hwnd()) : def_.text; }

// The edit control sends EN_CHANGE from inside SetWindowTextW, so onChange
// has run by the time this returns, as the portable handlers rely on.
// SetWindowTextW puts the caret at the start; it goes back where it was
// (EM_SETSEL keeps it within the new text), so when a handler rewrites what
// the user is typing, the next key still lands after the last one.
void Win32TextField::setText(std::string_view text)
{
    def_.text = std::string(text);
    if (!hwnd()) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowTextW(hwnd(), widen(text).c_str());
    SendMessageW(hwnd(), EM_SETSEL, start, end);
}

void Win32TextField::setFocus()
{
    if (hwnd()) host_.moveFocusTo(hwnd());
}

void Win32TextField::onNotification(WORD code)
{
    if (code == EN_SETFOCUS) host_.focusChanged();
    if (code == EN_CHANGE && def_.onChange) def_.onChange();
}

// Enabled edits ask with WM_CTLCOLOREDIT, disabled and read-only ones with
// WM_CTLCOLORSTATIC; both keep the field's own background.
HBRUSH Win32TextField::colours(HDC dc, bool asStatic)
{
    SetBkColor(dc, host_.colour(def_.backColour, ColourRole::Background));
    SetTextColor(dc, GetSysColor(asStatic ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return back_.get();
}

void Win32TextField::recolour() { back_.reset(CreateSolidBrush(host_.colour(def_.backColour, ColourRole::Background))); }

void Win32TextField::destroyNative()
{
    if (hwnd()) def_.text = windowText(hwnd());
    ChildControl::destroyNative();
    back_.reset();
}

// ---------------------------------------------------------------- picture box

Win32PictureBox::Win32PictureBox(ControlHost& host, int id, PictureDefinition def)
    : ChildWindow(host, id, def), def_(std::move(def)), bitmap_(loadPicture(def_.picture))
{
    // SS_REALSIZECONTROL scales the picture to the box, which is the
    // picture's own size at 96 DPI and grows with the DPI.
    create(L"STATIC", {}, SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL | WS_CLIPSIBLINGS);
    if (!hwnd()) return;
    SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_.get()));
    // Setting the image sizes the control to the picture; keep the box.
    layout();
    if (!def_.tooltip.empty()) host_.addTooltip(hwnd(), def_.tooltip);
}

void Win32PictureBox::onNotification(WORD code)
{
    if (code == STN_CLICKED && def_.onClick) def_.onClick();
}

void Win32PictureBox::destroyNative()
{
    if (hwnd()) {
        // Common Controls 6 may hold a copy of the picture; the copy is
        // handed back here and is ours to delete.
        auto shown = reinterpret_cast<HBITMAP>(SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown && shown != bitmap_.get()) DeleteObject(shown);
    }
    ChildControl::destroyNative();
    bitmap_.reset();
}

// ---------------------------------------------------------------- timer

Win32Timer::Win32Timer(ControlHost& host, UINT_PTR id, TimerDefinition def) : host_(host), id_(id), def_(std::move(def))
{
    setEnabled(def_.enabled);
}

// Intervals below USER_TIMER_MINIMUM (10 ms) run at 10 ms.
UINT Win32Timer::elapse() const { return static_cast<UINT>(def_.intervalMs > 0 ? def_.intervalMs : 1); }

void Win32Timer::refused()
{
    failure_ = systemMessage(GetLastError());
    enabled_ = false;
}

// Without a native window (not yet made, or destroyed) nothing can tick and
// nothing is refused: the flag alone is kept.
void Win32Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        running_.stop();
    } else if (host_.hwnd()) {
        if (running_.start(host_.hwnd(), id_, elapse())) {
            failure_.clear();
        } else {
            refused();
        }
    }
}

void Win32Timer::setInterval(int ms)
{
    def_.intervalMs = ms;
    if (running_.running() && !running_.restart(elapse())) refused();
}

void Win32Timer::tick()
{
    // After a failure the program is ending: the timer stops for good.
    if (programFailed()) {
        running_.stop();
        return;
    }
    if (enabled_ && running_.running() && def_.onTick) def_.onTick();
}

// ---------------------------------------------------------------- menu

Win32Menu::Win32Menu(MenuDefinition def, int firstId) : def_(std::move(def)), firstId_(firstId), menu_(CreatePopupMenu())
{
    int id = firstId_;
    for (const MenuItemDefinition& item : def_.items) {
        AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(id++), widen(item.caption).c_str());
    }
}

bool Win32Menu::choose(int id)
{
    const int index = id - firstId_;
    if (index < 0 || index >= itemCount()) return false;
    const Callback& onClick = def_.items[static_cast<size_t>(index)].onClick;
    if (onClick) onClick();
    return true;
}

}  // namespace kestrow::win32
