// Owners of Win32 handles: each closes its handle exactly once and keeps the
// live count of its kind in HandleCounts.
#pragma once

#include "platform/win32/handle_counts.h"

#include <windows.h>

#include <utility>

namespace kestrow::win32 {

template <class H, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(H handle) { reset(handle); }
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    // Closes the held handle (if any) and takes the new one.
    void reset(H handle = nullptr)
    {
        if (handle_) {
            Traits::close(handle_);
            --(handleCounts().*Traits::counter);
        }
        handle_ = handle;
        if (handle_) ++(handleCounts().*Traits::counter);
    }

    // For a handle the system has already closed (an owned window, such as
    // the tooltip, destroyed with its owner): stop owning it without closing
    // it again.
    void forget()
    {
        if (handle_) --(handleCounts().*Traits::counter);
        handle_ = nullptr;
    }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_ = nullptr;
};

struct WindowTraits {
    static void close(HWND h) { DestroyWindow(h); }
    static constexpr int HandleCounts::* counter = &HandleCounts::windows;
};
struct GdiTraits {
    static void close(HGDIOBJ h) { DeleteObject(h); }
    static constexpr int HandleCounts::* counter = &HandleCounts::gdiObjects;
};
struct IconTraits {
    static void close(HICON h) { DestroyIcon(h); }
    static constexpr int HandleCounts::* counter = &HandleCounts::iconsCursors;
};
struct CursorTraits {
    static void close(HCURSOR h) { DestroyCursor(h); }
    static constexpr int HandleCounts::* counter = &HandleCounts::iconsCursors;
};
struct MenuTraits {
    static void close(HMENU h) { DestroyMenu(h); }
    static constexpr int HandleCounts::* counter = &HandleCounts::menus;
};

using OwnedWindow = Owned<HWND, WindowTraits>;
using OwnedFont = Owned<HFONT, GdiTraits>;
using OwnedBrush = Owned<HBRUSH, GdiTraits>;
using OwnedBitmap = Owned<HBITMAP, GdiTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedCursor = Owned<HCURSOR, CursorTraits>;
using OwnedMenu = Owned<HMENU, MenuTraits>;

// A SetTimer timer on a window; killed when stopped or dropped.
class TimerRegistration {
public:
    TimerRegistration() = default;
    ~TimerRegistration() { stop(); }
    TimerRegistration(const TimerRegistration&) = delete;
    TimerRegistration& operator=(const TimerRegistration&) = delete;

    // The next tick comes intervalMs from now, also for a running timer. On
    // failure the timer is stopped and GetLastError() holds the reason.
    bool start(HWND window, UINT_PTR id, UINT intervalMs)
    {
        stop();
        if (!SetTimer(window, id, intervalMs, nullptr)) return false;
        window_ = window;
        id_ = id;
        ++handleCounts().timers;
        return true;
    }
    void stop()
    {
        if (!window_) return;
        KillTimer(window_, id_);
        window_ = nullptr;
        --handleCounts().timers;
    }
    bool running() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace kestrow::win32
