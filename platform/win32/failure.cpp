#include "platform/win32/failure.h"

#include "platform/services.h"
#include "platform/win32/text.h"

#include <cstdlib>
#include <exception>
#include <string>

namespace kestrow::win32 {

namespace {

// Process-wide on purpose: a failure in any window ends the whole program,
// so the timers of every window must see it. Only the user-interface
// thread reads or sets it.
bool failed = false;

}  // namespace

bool programFailed() noexcept { return failed; }

void reportUnhandledFailure() noexcept
{
    // Set before the box opens: its modal loop goes on dispatching timer and
    // other messages, and a handler that fails again must not stack a
    // second box on the first.
    if (failed) return;
    failed = true;
    try {
        std::string what = "未知错误";
        try {
            throw;
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        const std::wstring text = widen("程序运行出错，即将退出：\r\n" + what);
        const std::wstring title = widen(kApplicationTitle);
        // Task-modal: every window of the program is disabled while it is open.
        MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // Nothing more can be said when even the report fails.
    }
    PostQuitMessage(1);
}

}  // namespace kestrow::win32

#if defined(__GLIBCXX__)
// std::terminate's default handler in libstdc++. Its own version writes the
// uncaught exception's demangled type to stderr before it aborts, and so
// links in the whole C++ name demangler (some 45 KB). kestrow.exe has no
// console to write to, and no exception reaches std::terminate (every
// handler runs under callSafely, wWinMain catches the rest): aborting is all
// that is left to do. Defined in this object, which the exe always links, the
// linker never takes the library's.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
