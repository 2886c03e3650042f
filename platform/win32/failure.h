// The last stop for an exception thrown by a handler: no exception may
// unwind through a window procedure, since the system's frames between the
// dispatch and the procedure are not built for it.
#pragma once

namespace kestrow::win32 {

// Reports the failure of the exception being handled (call it from a catch
// block) and ends the event loop, as an unhandled failure ends the program.
void reportUnhandledFailure() noexcept;

template <class F>
void callSafely(F&& f) noexcept
{
    try {
        f();
    } catch (...) {
        reportUnhandledFailure();
    }
}

}  // namespace kestrow::win32
