// kestrow.exe: the Win32 services, the program's windows and the message loop.
#include "app/program.h"
#include "platform/win32/command_runner.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/newer_functions.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32_desktop.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace kestrow;
    // Before anything can load a library (newer_functions.h).
    win32::restrictDllSearch();
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
