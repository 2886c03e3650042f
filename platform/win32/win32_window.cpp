#include "platform/win32/win32_window.h"

#include "platform/win32/colours.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/resources.h"
#include "platform/win32/system_services.h"
#include "platform/win32/text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <stdexcept>

namespace kestrow::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"KestrowWindow";
constexpr wchar_t kBoxOwner[] = L"KestrowBoxOwner";
// Posted to itself by a window that must hand the activation on to a box:
// not while the system is still activating the window.
constexpr UINT kBringUpBox = WM_APP + 3;

HINSTANCE module() { return GetModuleHandleW(nullptr); }

ATOM& windowClassAtom()
{
    static ATOM atom = 0;
    return atom;
}

}  // namespace

bool Win32Window::isOurs(HWND window)
{
    return window && windowClassAtom() && GetClassLongPtrW(window, GCW_ATOM) == windowClassAtom();
}

void Win32Window::noteBoxOwner(HWND window, HWND owner)
{
    if (owner) {
        SetPropW(window, kBoxOwner, owner);
    } else {
        RemovePropW(window, kBoxOwner);
    }
}

HWND Win32Window::boxOwner(HWND window) { return static_cast<HWND>(GetPropW(window, kBoxOwner)); }

Win32Window::Win32Window(WindowDefinition def, WindowContext context)
    : def_(std::move(def)), context_(context)
{
    if (!windowClassAtom()) {
        // A private dialog class: the room DefDlgProc keeps its state in.
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpfnWndProc = &Win32Window::windowProcedure;
        wc.hInstance = module();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        windowClassAtom() = RegisterClassExW(&wc);
        if (!windowClassAtom()) throw std::runtime_error(systemMessage(GetLastError()));
    }

    // No WS_CLIPCHILDREN: the transparent labels need the background painted
    // beneath them.
    const bool framed = def_.border == Border::FixedSingle;
    style_ = framed ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU) : WS_POPUP;
    style_ |= WS_CLIPSIBLINGS;
    dpi_ = systemDpi(context_.lookup);
    highContrast_ = context_.highContrast && context_.highContrast();

    clientSize_ = {twipsToPixels(def_.clientWidth, dpi_), twipsToPixels(def_.clientHeight, dpi_)};
    const SIZE outer = outerSizeForClient(clientSize_.cx, clientSize_.cy, style_, 0, dpi_, context_.lookup);
    // The others are placed by the portable code, on home's monitor.
    POINT position{CW_USEDEFAULT, CW_USEDEFAULT};
    if (context_.home || !framed) {
        const PixelRect work = workAreaPixels(context_.home);
        position = {work.left, work.top};
    }
    const std::wstring caption = widen(def_.caption);
    CreateWindowExW(0, kWindowClass, caption.c_str(), style_, position.x, position.y, outer.cx, outer.cy,
                    nullptr, nullptr, module(), this);
    if (!hwnd_) throw std::runtime_error(systemMessage(GetLastError()));
    dpi_ = dpiForWindow(hwnd_, context_.lookup);
    clientSize_ = {twipsToPixels(def_.clientWidth, dpi_), twipsToPixels(def_.clientHeight, dpi_)};
    fitClientArea();
    loadIcons();
    taskbar_ = std::make_unique<TaskbarButton>(hwnd_, context_.makeTaskbarList);
}

Win32Window::~Win32Window() { destroy(); }

// ---------------------------------------------------------------- controls

template <class T>
T& Win32Window::adopt(std::unique_ptr<T> control)
{
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
}

Label& Win32Window::addLabel(LabelDefinition def) { return adopt(std::make_unique<Win32Label>(host(), nextId_++, def)); }

Button& Win32Window::addButton(ButtonDefinition def)
{
    Win32Button& button = adopt(std::make_unique<Win32Button>(host(), nextId_++, def));
    if (def.isDefault) button.makeDefault();
    return button;
}

// Screen readers name a list after the static text just before it: a
// hidden label names it without showing anything.
ComboBox& Win32Window::addComboBox(ComboDefinition def)
{
    if (!def.accessibleName.empty()) {
        LabelDefinition name;
        name.caption = def.accessibleName;
        name.visible = false;
        addLabel(name);
    }
    return adopt(std::make_unique<Win32ComboBox>(host(), nextId_++, def));
}

TextField& Win32Window::addTextField(TextFieldDefinition def)
{
    return adopt(std::make_unique<Win32TextField>(host(), nextId_++, def));
}

PictureBox& Win32Window::addPicture(PictureDefinition def)
{
    return adopt(std::make_unique<Win32PictureBox>(host(), nextId_++, def));
}

Timer& Win32Window::addTimer(TimerDefinition def)
{
    timers_.push_back(std::make_unique<Win32Timer>(hwnd_, static_cast<UINT_PTR>(nextId_++), std::move(def)));
    return *timers_.back();
}

Menu& Win32Window::addPopupMenu(MenuDefinition def)
{
    menus_.push_back(std::make_unique<Win32Menu>(std::move(def)));
    return *menus_.back();
}

ChildControl* Win32Window::findControl(HWND window) const
{
    for (const auto& control : controls_) {
        if (window && control->hwnd() == window) return control.get();
    }
    return nullptr;
}

HWND Win32Window::controlHandle(const std::string& name) const
{
    for (const auto& control : controls_) {
        if (control->name() == name) return control->hwnd();
    }
    return nullptr;
}

COLORREF Win32Window::colour(Colour colour, ColourRole role) const { return paint(colour, role, highContrast_); }

HBRUSH Win32Window::brush(COLORREF colour)
{
    OwnedBrush& brush = brushes_[colour];
    if (!brush) brush.reset(CreateSolidBrush(colour));
    return brush.get();
}

HFONT Win32Window::font(const FontStyle& def)
{
    const std::pair<long, bool> key{std::lround(def.points * 100), def.underline};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.get();
    LOGFONTW lf{};
    lf.lfHeight = -fontPixelHeight(def.points, dpi_);  // negative: the character height
    lf.lfWeight = kFontWeight;
    lf.lfUnderline = def.underline ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(kFontCharset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = widen(kFontFace);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return fonts_.emplace(key, OwnedFont(CreateFontIndirectW(&lf))).first->second.get();
}

void Win32Window::addTooltip(HWND control, const std::string& text)
{
    if (!tooltip_) {
        tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, module(), nullptr));
        if (!tooltip_) return;
    }
    std::wstring wide = widen(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---------------------------------------------------------------- window

void Win32Window::show()
{
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
    if (!shownOnce_) {
        shownOnce_ = true;
        // The first control in the tab order takes the focus.
        focusControl(GetNextDlgTabItem(hwnd_, nullptr, FALSE));
    }
}

// The rest of the end is onDestroy's and onNcDestroy's, which run the same
// when the system or another program destroys the window.
void Win32Window::destroy()
{
    if (hwnd_) DestroyWindow(hwnd_);
}

RECT Win32Window::outerRect() const
{
    RECT r{};
    if (hwnd_) GetWindowRect(hwnd_, &r);
    return r;
}

double Win32Window::left() const { return pixelsToTwips(outerRect().left, dpi_); }
double Win32Window::top() const { return pixelsToTwips(outerRect().top, dpi_); }
double Win32Window::width() const
{
    const RECT r = outerRect();
    return pixelsToTwips(r.right - r.left, dpi_);
}
double Win32Window::height() const
{
    const RECT r = outerRect();
    return pixelsToTwips(r.bottom - r.top, dpi_);
}

void Win32Window::moveTo(int x, int y)
{
    if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::setLeft(double twips) { moveTo(twipsToPixels(twips, dpi_), outerRect().top); }
void Win32Window::setTop(double twips) { moveTo(outerRect().left, twipsToPixels(twips, dpi_)); }

void Win32Window::setHeight(double twips)
{
    if (!hwnd_) return;
    const RECT r = outerRect();
    const int pixels = twipsToPixels(twips < 0 ? 0 : twips, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    clientSize_.cy = client.bottom;
}

void Win32Window::popupMenu(Menu& menu)
{
    if (!hwnd_) return;
    POINT at{};
    if (menuAtWindow_) {
        ClientToScreen(hwnd_, &at);
    } else {
        GetCursorPos(&at);
    }
    // A popup menu closes properly on a click elsewhere only when its owner
    // is the foreground window (TrackPopupMenu remarks).
    SetForegroundWindow(hwnd_);
    static_cast<Win32Menu&>(menu).popUp(hwnd_, at);
}

void Win32Window::showProgress(const CountdownProgress& progress)
{
    if (taskbar_) taskbar_->show(progress);
}

void Win32Window::fitClientArea()
{
    const int width = clientSize_.cx;
    const int height = clientSize_.cy;
    const SIZE outer = outerSizeForClient(width, height, style_, 0, dpi_, context_.lookup);
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Should the frame differ from what AdjustWindowRectEx predicts, the
    // client area is what must come out exact.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int dx = width - client.right;
    const int dy = height - client.bottom;
    if (dx || dy) {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx + dx, outer.cy + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Window::loadIcons()
{
    bigIcon_ = loadWindowIcon(def_.icon, MulDiv(GetSystemMetrics(SM_CXICON), dpi_, systemDpi(context_.lookup)));
    smallIcon_ = loadWindowIcon(def_.icon, MulDiv(GetSystemMetrics(SM_CXSMICON), dpi_, systemDpi(context_.lookup)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// ---------------------------------------------------------------- events

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
    case WM_ENDSESSION: if (wParam) requestClose(CloseCause::SessionEnd); return 0;
    // No minimum height of our own: the About window rolls open from its
    // collapsed height and must close below 600 twips, which a large title
    // bar alone can exceed. A floor the system keeps anyway is met by the
    // close animation ending where it stalls.
    case WM_GETMINMAXINFO: reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = 0; return 0;
    case WM_DPICHANGED: return onDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
    case WM_ACTIVATE: return onActivate(wParam, lParam);
    // The user has come back: a taskbar button flashing for a box stops.
    case WM_ACTIVATEAPP: if (wParam) flashTaskbarButton(hwnd_, false); return 0;
    case WM_SYSCOLORCHANGE: return onSysColorChange(wParam, lParam);
    case WM_SETTINGCHANGE: return onSettingChange(wParam, lParam);
    // A new resolution or a monitor gone: nothing is left off the screen.
    case WM_DISPLAYCHANGE: keepOnWorkArea(hwnd_); return 0;
    case kBringUpBox: bringUpBox(); return 0;
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
        bringUpBox();
    }
    if (LOWORD(lParam) == HTCLIENT) {
        ChildControl* control = findControl(reinterpret_cast<HWND>(wParam));
        if (control && control->handCursor()) {
            if (!hand_) hand_ = loadHandCursor();
            if (hand_) {
                SetCursor(hand_.get());
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
    auto oldFonts = std::move(fonts_);
    fonts_.clear();
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
    if (!IsWindowEnabled(hwnd_)) PostMessageW(hwnd_, kBringUpBox, 0, 0);
    for (const auto& control : controls_) {
        if (control->hasFocus() && !(control->isEnabled() && control->isVisible())) {
            focusControl(GetNextDlgTabItem(hwnd_, control->hwnd(), FALSE));
        }
    }
    return result;
}

void Win32Window::bringUpBox()
{
    HWND owner = boxOwner(hwnd_);
    if (!owner || !IsWindow(owner)) return;
    HWND box = GetLastActivePopup(owner);
    if (box && box != owner) SetForegroundWindow(box);
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
    brushes_.clear();
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
    tooltip_.forget();
    fonts_.clear();
    brushes_.clear();
    bigIcon_.reset();
    smallIcon_.reset();
    hand_.reset();
    const LRESULT result = byDefault(WM_NCDESTROY, 0, 0);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    --handleCounts().windows;
    return result;
}

}  // namespace kestrow::win32
