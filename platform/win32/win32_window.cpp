// A window's life: its dialog class, its making and end, its place and size
// on the screen, its icons, popup menus and taskbar progress.
#include "platform/win32/win32_window.h"

#include "platform/win32/dpi.h"
#include "platform/win32/resources.h"
#include "platform/win32/text.h"

#include <stdexcept>

namespace kestrow::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"KestrowWindow";

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

Win32Window::Win32Window(WindowDefinition def, WindowContext context) : def_(std::move(def)), context_(context)
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
    CreateWindowExW(0, kWindowClass, caption.c_str(), style_, position.x, position.y, outer.cx, outer.cy, nullptr,
                    nullptr, module(), this);
    if (!hwnd_) throw std::runtime_error(systemMessage(GetLastError()));
    dpi_ = dpiForWindow(hwnd_, context_.lookup);
    clientSize_ = {twipsToPixels(def_.clientWidth, dpi_), twipsToPixels(def_.clientHeight, dpi_)};
    fitClientArea();
    loadIcons();
    taskbar_ = std::make_unique<TaskbarButton>(hwnd_, context_.makeTaskbarList);
}

Win32Window::~Win32Window() { destroy(); }

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
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx + dx, outer.cy + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Window::loadIcons()
{
    bigIcon_ = loadWindowIcon(def_.icon, MulDiv(GetSystemMetrics(SM_CXICON), dpi_, systemDpi(context_.lookup)));
    smallIcon_ = loadWindowIcon(def_.icon, MulDiv(GetSystemMetrics(SM_CXSMICON), dpi_, systemDpi(context_.lookup)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

}  // namespace kestrow::win32
