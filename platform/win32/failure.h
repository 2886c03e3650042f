// The last stop for an exception thrown by a handler: no exception may
// unwind through a window procedure, since the system's frames between the
// dispatch and the procedure are not built for it.
#pragma once

namespace kestrow::win32 {

// Reports the failure of the exception being handled (call it from a catch
// block) and ends the event loop, as an unhandled failure ends the program.
// Only the first failure is reported: from then on the program is ending,
// and every later failure passes in silence.
void reportUnhandledFailure() noexcept;

// Whether a failure has been reported. Timers stop ticking once it has, so
// that nothing acts behind the box that says the program is about to end.
bool programFailed() noexcept;

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
