// kestrow.exe: the Win32 services, the program's windows and the message loop.
#include "app/program.h"
#include "platform/win32/command_runner.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32_desktop.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Before anything can load a library: a portable exe is often started
    // from a download folder, where a planted DLL must never be picked up.
    // Every DLL the program needs is a system one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    using namespace kestrow;
    win32::declareDpiAwareness();
    try {
        win32::Win32Desktop desktop;
        win32::Win32CommandRunner commands(desktop);
        win32::Win32MessageBoxes messages;
        win32::Win32Clock clock;
        win32::Win32NumberLocale locale;
        Services services{desktop, commands, messages, clock, locale};
        int exitCode = 0;
        {
            Program program(services);
            program.start();
            exitCode = desktop.run();
            desktop.discardPosted();
        }
        return exitCode;
    } catch (...) {
        win32::reportUnhandledFailure();
        return 1;
    }
}
