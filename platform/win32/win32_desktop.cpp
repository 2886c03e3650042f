#include "platform/win32/win32_desktop.h"

#include "platform/input_rules.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <stdexcept>

namespace kestrow::win32 {

namespace {

constexpr wchar_t kMessageClass[] = L"KestrowMessages";

}  // namespace

Win32Desktop::Win32Desktop(FunctionLookup lookup) : lookup_(lookup)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32Desktop::procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kMessageClass;
        return RegisterClassExW(&wc);
    }();
    if (!atom) throw std::runtime_error(systemMessage(GetLastError()));
    messages_.reset(CreateWindowExW(0, kMessageClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
    if (!messages_) throw std::runtime_error(systemMessage(GetLastError()));
    SetWindowLongPtrW(messages_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Desktop::~Win32Desktop()
{
    discardPosted();
    if (messages_) SetWindowLongPtrW(messages_.get(), GWLP_USERDATA, 0);
}

std::unique_ptr<NativeWindow> Win32Desktop::createWindow(WindowDefinition def)
{
    auto window = std::make_unique<Win32Window>(
        std::move(def), WindowContext{handlers_, home(), highContrast, makeTaskbarList, com_, lookup_});
    if (!home()) home_ = window->hwnd();
    return window;
}

// A handle outlives its window and may come back for another one: only one
// of ours that still stands is home.
HWND Win32Desktop::home() const { return Win32Window::isOurs(home_) ? home_ : nullptr; }

// With home gone (closed while another window stays open), the placed
// window's own monitor serves.
ScreenArea Win32Desktop::workArea(const NativeWindow& placed) const
{
    const auto& window = static_cast<const Win32Window&>(placed);
    HWND anchor = home() ? home() : window.hwnd();
    return toTwips(workAreaPixels(anchor), window.currentDpi());
}

int Win32Desktop::doubleClickMs() const { return static_cast<int>(GetDoubleClickTime()); }

void Win32Desktop::post(Callback callback)
{
    posted_.push_back(std::move(callback));
    wake();
}

// A menu's or a box's own loop may take the WM_QUIT away (Wine's menu loop
// dispatches it): the flag ends the loop all the same, once that handler
// has returned.
void Win32Desktop::quit()
{
    quitting_ = true;
    PostQuitMessage(0);
}

// Moved out first: dropping a callback may free a window, whose last
// messages would look at the queue.
void Win32Desktop::discardPosted()
{
    std::deque<Callback> dropped;
    dropped.swap(posted_);
}

void Win32Desktop::wake()
{
    if (!posted_.empty()) PostMessageW(messages_.get(), private_message::kRunPosted, 0, 0);
}

// A wake-up that a modal loop dispatches while a handler waits in it is
// dropped: the handler's end (HandlerDepth's idle) wakes the loop again.
// Callbacks posted by these callbacks wait for the next round.
void Win32Desktop::runPosted()
{
    if (!handlers_.idle()) return;
    std::deque<Callback> due;
    due.swap(posted_);
    for (Callback& next : due) {
        HandlerDepth::Scope running(handlers_);
        callSafely([&] {
            if (next) next();
        });
    }
}

UINT_PTR Win32Desktop::listen(Listener listener)
{
    listeners_.emplace(nextKey_, std::move(listener));
    return nextKey_++;
}

// What comes for a listener that has stopped listening is dropped.
LRESULT CALLBACK Win32Desktop::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || (message != private_message::kRunPosted && message != kForListener && message != WM_TIMER)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == private_message::kRunPosted) {
        self->runPosted();
    } else if (auto listener = self->listeners_.find(wParam); listener != self->listeners_.end()) {
        listener->second(message, lParam);
    }
    return 0;
}

void dispatchMessage(MSG& message)
{
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    const bool ours = Win32Window::isOurs(root);
    // Bit 30 of a key-down's lParam: the key was already down (a repeat).
    const bool repeated = (message.lParam & (1L << 30)) != 0;
    if (ours && message.message == WM_KEYDOWN && !keyDownPresses(message.wParam == VK_RETURN, repeated)) return;
    if (ours && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32Desktop::run()
{
    MSG message{};
    while (!quitting_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        dispatchMessage(message);
    }
    return 0;
}

}  // namespace kestrow::win32
